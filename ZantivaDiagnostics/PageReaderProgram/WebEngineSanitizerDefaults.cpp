// What the sanitizer build of a program that runs the web engine leaves to the engine. Its
// teardown of a page (~WebContentsAdapter) frees an object it allocated itself with the size of
// another type, every frame inside the engine: that one check is off. The engine has no frame
// pointers, so leaks are traced with full stacks, which tell the engine's leftovers at exit
// apart: its browser context, page teardown and threads (with the device monitor they load),
// and a block of fontconfig's configuration parse, reached from Qt's font database once the
// engine has loaded fontconfig too. Our profile, pages and views are all deleted before the end.
// Options and suppressions given to a run come on top of these.

#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __asan_default_options() { return "new_delete_type_mismatch=0:fast_unwind_on_malloc=0"; }

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libQt6WebEngineCore.so\n"
           "leak:FcInitLoadConfigAndFonts\n";
}
#endif
