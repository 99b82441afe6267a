// Linked into every test binary. Fontconfig keeps a cache for the life of the process that
// no pointer reaches at exit; it is not ours to free, so LeakSanitizer (in the sanitizer
// build) lets it pass.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
