// Settings that test programs starting the web engine need under AddressSanitizer.

// The engine's own library deletes some of its objects through a pointer of another size; that is
// Chromium's code, not ours, and it would stop every test that loads a page.
extern "C" const char *__asan_default_options()
{
    return "new_delete_type_mismatch=0";
}
