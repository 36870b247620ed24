// Options the sanitizer runtimes read at start-up: every finding ends the test.
// The symbols are weak hooks of the runtimes; without sanitizers they are unused.

extern "C" {
const char* __asan_default_options() { return "detect_leaks=1:halt_on_error=1:abort_on_error=0"; }
const char* __lsan_default_options() { return "suppressions=" VX_TEST_LSAN_SUPPRESSIONS ":print_suppressions=0"; }
const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }
}
