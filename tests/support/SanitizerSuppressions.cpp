// Reports inside system libraries that SDL, Mesa and Python load; none of them is ours to fix. The
// sanitizer runtimes of a sanitized build ask for these lists at start and at exit.

// Leaks: D-Bus, Xlib, Mesa's GLX and software rasteriser (swrast_dri.so) and its LLVM (the
// rasteriser is unloaded when the display closes, before the report, which could then neither see
// what it still holds nor name it: the GL backend keeps it loaded in address-sanitized builds);
// libpython, whose interpreter stays initialised to the end of the program; and SDL2, which keeps
// storage for every thread that calls it but frees it only for threads it started itself: the
// loader thread, which opens the audio device, ends with its share still held.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n"
           "leak:libX11.so\n"
           "leak:libGLX_mesa.so\n"
           "leak:swrast_dri.so\n"
           "leak:libLLVM\n"
           "leak:libpython3\n"
           "leak:libSDL2\n";
}

// Races: Mesa's software rasteriser (swrast_dri.so) syncs its worker threads in ways the thread
// sanitizer cannot see, since the driver is not instrumented; both sides of each report lie there.
extern "C" const char* __tsan_default_suppressions()
{
    return "race:swrast_dri.so\n";
}
