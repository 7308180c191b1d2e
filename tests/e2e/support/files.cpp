#include "files.h"

#include <windows.h>

#include <stdexcept>
#include <string_view>

#include "utf8.h"

namespace kr2::e2e {
namespace {

[[noreturn]] void Fail(const char* what, const std::wstring& path) {
    throw std::runtime_error(std::string(what) + " " + ToUtf8(path) + ": error " +
                             std::to_string(GetLastError()));
}

std::wstring ParentOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

DWORD Attributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

void WriteWholeFile(const std::wstring& path, std::string_view bytes) {
    MakeDirs(ParentOf(path));
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) Fail("cannot create", path);
    DWORD written = 0;
    const BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    if (!ok || written != bytes.size()) Fail("cannot write", path);
}

void AddAttribute(const std::wstring& path, DWORD attribute) {
    const DWORD a = Attributes(path);
    if (a == INVALID_FILE_ATTRIBUTES || !SetFileAttributesW(path.c_str(), a | attribute))
        Fail("cannot set attributes of", path);
}

}  // namespace

std::wstring StubExe() {
    std::wstring path = KR2_E2E_STUB_EXE;
    for (wchar_t& c : path) if (c == L'/') c = L'\\';
    return path;
}

std::wstring ThisProgramDir() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return ParentOf(path);
}

void MakeDirs(const std::wstring& dir) {
    if (dir.empty() || DirectoryExists(dir)) return;
    const std::wstring parent = ParentOf(dir);
    // Stop at a drive ("C:") so we never try to create it.
    if (!parent.empty() && !(parent.size() == 2 && parent[1] == L':')) MakeDirs(parent);
    if (!CreateDirectoryW(dir.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        Fail("cannot create directory", dir);
}

void CopyFileTo(const std::wstring& from, const std::wstring& to) {
    MakeDirs(ParentOf(to));
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) Fail("cannot copy to", to);
}

void PlaceStub(const std::wstring& path) { CopyFileTo(StubExe(), path); }

void RemoveTree(const std::wstring& path) {
    const DWORD a = Attributes(path);
    if (a == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL | (a & FILE_ATTRIBUTE_DIRECTORY));
    if (a & FILE_ATTRIBUTE_DIRECTORY) {
        WIN32_FIND_DATAW found;
        HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name != L"." && name != L"..") RemoveTree(path + L"\\" + name);
            } while (FindNextFileW(h, &found));
            FindClose(h);
        }
        if (!RemoveDirectoryW(path.c_str())) Fail("cannot remove directory", path);
    } else if (!DeleteFileW(path.c_str())) {
        Fail("cannot delete", path);
    }
}

bool FileExists(const std::wstring& path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

void SetHidden(const std::wstring& path) { AddAttribute(path, FILE_ATTRIBUTE_HIDDEN); }
void SetSystem(const std::wstring& path) { AddAttribute(path, FILE_ATTRIBUTE_SYSTEM); }

SwappedFile::SwappedFile(std::wstring path, Kind kind) : path_(std::move(path)) {
    if (FileExists(path_)) {
        saved_ = path_ + L".kr2e2e-saved";
        RemoveTree(saved_);
        if (!MoveFileW(path_.c_str(), saved_.c_str())) Fail("cannot move aside", path_);
    }
    if (kind == Kind::Absent) return;
    // Remember the outermost missing directory, so the tree made here goes again.
    for (std::wstring dir = ParentOf(path_); !dir.empty() && !DirectoryExists(dir); dir = ParentOf(dir))
        madeDir_ = dir;
    switch (kind) {
        case Kind::Stub: PlaceStub(path_); break;
        case Kind::Empty: WriteWholeFile(path_, ""); break;
        case Kind::Text: WriteWholeFile(path_, "This is a text file, not a program.\r\n"); break;
        case Kind::Directory: MakeDirs(path_); break;
        case Kind::Absent: break;
    }
}

SwappedFile::~SwappedFile() {
    try {
        RemoveTree(path_);
        if (!madeDir_.empty()) RemoveTree(madeDir_);
        if (!saved_.empty()) MoveFileW(saved_.c_str(), path_.c_str());
    } catch (...) {
        // Leftovers in a throwaway prefix are harmless.
    }
}

TempRoot::TempRoot(const std::wstring& name) : path_(L"C:\\kr2e2e\\" + name) {
    RemoveTree(path_);
    MakeDirs(path_);
}

TempRoot::~TempRoot() {
    try {
        RemoveTree(path_);
    } catch (...) {
        // A leftover tree in a throwaway prefix is harmless.
    }
}

}  // namespace kr2::e2e
