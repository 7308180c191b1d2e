#pragma once
// Version numbers and strings, defined once for the version resource.

#define KR2_VERSION_BINARY 1, 0, 0, 0
#define KR2_VERSION_TEXT "1.00"
#define KR2_PRODUCT_NAME "Kestrane 2 Launcher"
#define KR2_COMPANY_NAME "Company"
#define KR2_INTERNAL_NAME "kr2_s1"
#define KR2_ORIGINAL_FILENAME "kr2_s1.EXE"
