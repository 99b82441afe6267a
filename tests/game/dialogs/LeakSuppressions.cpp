// Fontconfig keeps a few blocks of its configuration for the life of the process on purpose;
// they are not ours to free.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
