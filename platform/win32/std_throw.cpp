// libstdc++ raises the errors of its containers through the std::__throw_*
// helpers. Its own definitions all sit in one object that also builds
// std::logic_error and friends, and with them the copy-on-write string and
// std::random_device: about 55 KB of kr2_s1.exe for failures that can only
// end in the run-time error box. These throw what that box tells apart
// (std::bad_alloc and its kin) and one small type for everything else,
// which the box reports as an internal error, as before.
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
void __throw_length_error(const char* what) { throw LibraryFailure(what); }
void __throw_logic_error(const char* what) { throw LibraryFailure(what); }
// The format's arguments are dropped: the text is never shown.
void __throw_out_of_range_fmt(const char* what, ...) { throw LibraryFailure(what); }

}  // namespace std

#endif
