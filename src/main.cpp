// Windcart's entry: the game runs from the path it was started by.
#include "game.h"

int SDL_main(int argc, char** argv)
{
    return WindcartRun(argc, argv, nullptr);
}

// SDL2main supplies main() only on platforms that need it; elsewhere the
// program starts here and hands over to SDL_main.
#if !defined(SDL_MAIN_NEEDED) && !defined(SDL_MAIN_AVAILABLE)
int main(int argc, char** argv)
{
    return SDL_main(argc, argv);
}
#endif
