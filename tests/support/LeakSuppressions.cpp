// Leaks inside system libraries that SDL and Mesa load; none of them is ours to free. The leak
// checker of a sanitized build asks for this list at exit.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n"
           "leak:libX11.so\n"
           "leak:libGLX_mesa.so\n"
           "leak:swrast_dri.so\n"
           "leak:libLLVM\n";
}
