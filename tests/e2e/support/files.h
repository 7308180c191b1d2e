#pragma once
// Building and removing throwaway file layouts inside the Wine prefix.
// Every function throws std::runtime_error (with the Win32 error number)
// when the file system refuses, so a broken setup fails the test loudly.

#include <cstdint>
#include <string>
#include <utility>

namespace kr2::e2e {

// The stub program built beside this test program's build (kr2_stub.exe).
std::wstring StubExe();

// The directory of the running test program, without a trailing "\".
std::wstring ThisProgramDir();

// Creates a directory and its missing parents; an existing one is fine.
void MakeDirs(const std::wstring& dir);

// Copies the stub to `path`, creating its directory; replaces a file there.
void PlaceStub(const std::wstring& path);

// Copies any file, creating the target's directory.
void CopyFileTo(const std::wstring& from, const std::wstring& to);

// Deletes a file or a whole tree; a missing one is fine. Read-only, hidden
// and system attributes are cleared on the way.
void RemoveTree(const std::wstring& path);

bool FileExists(const std::wstring& path);       // a file, not a directory
bool DirectoryExists(const std::wstring& path);

void SetHidden(const std::wstring& path);
void SetSystem(const std::wstring& path);

// A per-test directory "C:\kr2e2e\<name>", emptied at construction and
// removed at destruction.
class TempRoot {
public:
    explicit TempRoot(const std::wstring& name);
    ~TempRoot();
    TempRoot(const TempRoot&) = delete;
    TempRoot& operator=(const TempRoot&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring operator/(const std::wstring& relative) const { return path_ + L"\\" + relative; }

private:
    std::wstring path_;
};

// For the object's lifetime, `path` holds the stub (Kind::Stub), nothing
// (Kind::Absent), or something that only looks like a program: an empty
// file, a text file, a directory. A file that was there is moved aside and
// put back after; directories made for it are removed again.
class SwappedFile {
public:
    enum class Kind { Stub, Absent, Empty, Text, Directory };
    SwappedFile(std::wstring path, Kind kind);
    ~SwappedFile();
    SwappedFile(const SwappedFile&) = delete;
    SwappedFile& operator=(const SwappedFile&) = delete;

    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
    std::wstring saved_;       // the original's hiding place; empty if none
    std::wstring madeDir_;     // the outermost directory we created; empty if none
};

// A stub in place of a program of the Wine prefix (Notepad, Internet
// Explorer) for as long as the object lives; the original comes back after.
struct PrefixStub : SwappedFile {
    explicit PrefixStub(std::wstring path) : SwappedFile(std::move(path), Kind::Stub) {}
};

}  // namespace kr2::e2e
