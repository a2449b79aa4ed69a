// The yardstick of the start-up benchmark: the least an SDL2 program does to put a window of a
// given size on screen (initialise video, create the window, fill its surface, present it once),
// then leave.
//
//   bare_sdl_window WIDTH HEIGHT

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "Usage: bare_sdl_window WIDTH HEIGHT\n");
        return 2;
    }
    int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
    // The same software framebuffer and driver as the program's backend, so that the two are
    // timed on the same path.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "bare_sdl_window: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                                          height, SDL_WINDOW_SHOWN | SDL_WINDOW_BORDERLESS);
    if (window == nullptr) {
        std::fprintf(stderr, "bare_sdl_window: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0xF3, 0xF5, 0xF8));
    SDL_UpdateWindowSurface(window);
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
