// libstdc++ raises the errors of its containers through the std::__throw_*
// helpers. Its own definitions all sit in one object, functexcept.o, that
// also builds std::logic_error and friends, and with them the copy-on-write
// string and std::random_device: about 58 KB of kr2_s1.exe for failures
// that can only end in the run-time error box. These throw what that box
// tells apart (std::bad_alloc and its kin) and one small type for everything
// else, which the box reports as an internal error, as before. So a
// std::out_of_range or std::invalid_argument from the library is never seen
// as such here: nothing in the launcher catches one.
//
// Every helper that object defines is defined here, and no other (the ctest
// kr2_s1_throw_helpers compares the two): the linker then never needs the
// object, whatever library call the program makes. With one missing, the
// first call that needs it would pull the object in with its second
// definitions of all the others: a failed link, or under link-time
// optimisation a quiet one that keeps both. The helpers of
// bits/functexcept.h that live elsewhere (ios_failure, system_error,
// future_error, bad_function_call) share their objects with things the
// program may need for themselves (std::system_category, say), and would
// clash in the same way once such an object came in.
#include <exception>
#include <new>

#if defined(__GLIBCXX__)

namespace {

class LibraryFailure : public std::exception {
public:
    explicit LibraryFailure(const char* what) noexcept : what_(what) {}
    const char* what() const noexcept override { return what_; }
private:
    const char* what_;
};

}  // namespace

namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_exception() { throw LibraryFailure("std::bad_exception"); }
void __throw_bad_cast() { throw LibraryFailure("std::bad_cast"); }
void __throw_bad_typeid() { throw LibraryFailure("std::bad_typeid"); }
void __throw_logic_error(const char* what) { throw LibraryFailure(what); }
void __throw_domain_error(const char* what) { throw LibraryFailure(what); }
void __throw_invalid_argument(const char* what) { throw LibraryFailure(what); }
void __throw_length_error(const char* what) { throw LibraryFailure(what); }
void __throw_out_of_range(const char* what) { throw LibraryFailure(what); }
// The format's arguments are dropped: the text is never shown.
void __throw_out_of_range_fmt(const char* what, ...) { throw LibraryFailure(what); }
void __throw_runtime_error(const char* what) { throw LibraryFailure(what); }
void __throw_range_error(const char* what) { throw LibraryFailure(what); }
void __throw_overflow_error(const char* what) { throw LibraryFailure(what); }
void __throw_underflow_error(const char* what) { throw LibraryFailure(what); }

}  // namespace std

#endif
