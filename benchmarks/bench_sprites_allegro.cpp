// Bouncing sprites through Allegro 5 on OpenGL: one al_draw_bitmap per
// sprite, without and with held bitmap drawing (its batch).
#include <stdio.h>
#include <string.h>  // memcpy

#include <allegro5/allegro.h>

#include "BouncingSprites.h"

int main(int argc, char** argv)
{
    if (!al_init()) {
        fprintf(stderr, "bench_sprites_allegro: cannot start Allegro\n");
        return 1;
    }
    al_set_new_display_flags(ALLEGRO_OPENGL | ALLEGRO_WINDOWED);
    al_set_new_display_option(ALLEGRO_VSYNC, 2, ALLEGRO_SUGGEST);  // 2: never wait for the display
    ALLEGRO_DISPLAY* display = al_create_display(kScreenWidth, kScreenHeight);
    if (!display) {
        fprintf(stderr, "bench_sprites_allegro: no display\n");
        return 1;
    }
    // Straight (not premultiplied) alpha, like the other libraries' sprites.
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ALPHA, ALLEGRO_INVERSE_ALPHA);
    ALLEGRO_BITMAP* bitmaps[33] = {};
    for (int size : kSpriteSizes) {
        std::vector<uint8_t> pixels = SpritePixels(size);
        bitmaps[size] = al_create_bitmap(size, size);
        ALLEGRO_LOCKED_REGION* region =
            al_lock_bitmap(bitmaps[size], ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_WRITEONLY);
        for (int y = 0; y < size; y++)
            memcpy((uint8_t*)region->data + y * region->pitch, &pixels[(size_t)y * size * 4], (size_t)size * 4);
        al_unlock_bitmap(bitmaps[size]);
    }

    for (int held = 0; held <= 1; held++)
        RunBouncingSprites(argc, argv, held ? "Allegro 5, held drawing" : "Allegro 5",
                           [&](const std::vector<Bouncer>& sprites, int size) {
                               al_clear_to_color(al_map_rgb(0, 0, 0));
                               if (held)
                                   al_hold_bitmap_drawing(true);
                               for (const Bouncer& b : sprites)
                                   al_draw_bitmap(bitmaps[size], (float)(int)b.x, (float)(int)b.y, 0);
                               if (held)
                                   al_hold_bitmap_drawing(false);
                               al_flip_display();
                           });

    for (int size : kSpriteSizes)
        al_destroy_bitmap(bitmaps[size]);
    al_destroy_display(display);
    return 0;
}
