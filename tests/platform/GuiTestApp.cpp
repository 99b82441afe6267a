// Part of every GUI test binary of this folder.

// Fontconfig keeps a cache that it never frees and that no pointer reaches at exit; it is
// not ours to fix, so LeakSanitizer (in the sanitizer build) is told to let it pass.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
