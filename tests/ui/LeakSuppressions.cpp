// fontconfig keeps a small pattern cache it never frees (it is reachable only
// from its own internal state once Pango's font map is gone). It is not ours
// to fix; everything else still counts as a leak.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
