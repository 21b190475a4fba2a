// What a program that ran the web engine still has allocated when it ends, which the leak
// checker would report and which is not ours: the engine never frees its browser context,
// page teardown and threads at exit (with the device monitor they load), and fontconfig's
// parse of its configuration, reached from Qt's font database, keeps a block once the engine
// has loaded fontconfig too. Our profile, pages and views are all deleted before the end. The
// leak checker reads these besides any suppressions file it is given.

#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libQt6WebEngineCore.so\n"
           "leak:FcInitLoadConfigAndFonts\n";
}
#endif
