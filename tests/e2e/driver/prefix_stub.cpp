#include "prefix_stub.h"

#include <windows.h>

#include "files.h"

namespace kr2::e2e {

PrefixStub::PrefixStub(std::wstring path) : path_(std::move(path)) {
    if (e2e::FileExists(path_)) {
        saved_ = path_ + L".kr2e2e-original";
        DeleteFileW(saved_.c_str());
        if (!MoveFileW(path_.c_str(), saved_.c_str())) saved_.clear();
    }
    e2e::PlaceStub(path_);
}

PrefixStub::~PrefixStub() {
    DeleteFileW(path_.c_str());
    if (!saved_.empty()) MoveFileW(saved_.c_str(), path_.c_str());
}

}  // namespace kr2::e2e
