// Linked into every program of the sanitizer build. Libraries opened at run
// time (Mesa's driver, SDL's helpers) are never unmapped, so that a leak
// report at exit still names the library that made the allocation, which is
// what lsan.supp matches, instead of "<unknown module>". Exported from the
// executable, this dlclose is the one every library calls.
extern "C" __attribute__((used, visibility("default"))) int dlclose(void*) { return 0; }
