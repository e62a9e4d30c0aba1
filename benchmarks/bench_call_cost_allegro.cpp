// Allegro's own work per al_draw_bitmap under held drawing, for
// run_call_cost.sh: the same rounds as bench_call_cost, each sent when the
// hold ends, outside the calls. Prints the number of calls made.
#include <stdio.h>

#include <allegro5/allegro.h>

#include "BouncingSprites.h"  // MakeBouncers

static const int kRounds = 5;
static const int kCallsPerRound = 4000;

int main()
{
    if (!al_init()) {
        fprintf(stderr, "bench_call_cost_allegro: cannot start Allegro\n");
        return 1;
    }
    al_set_new_display_flags(ALLEGRO_OPENGL | ALLEGRO_WINDOWED);
    ALLEGRO_DISPLAY* display = al_create_display(kScreenWidth, kScreenHeight);
    if (!display) {
        fprintf(stderr, "bench_call_cost_allegro: no display\n");
        return 1;
    }
    ALLEGRO_BITMAP* bitmap = al_create_bitmap(8, 8);
    std::vector<Bouncer> places = MakeBouncers(kCallsPerRound, 8);
    for (int round = 0; round < kRounds; round++) {
        al_hold_bitmap_drawing(true);
        for (const Bouncer& b : places)
            al_draw_bitmap(bitmap, (float)(int)b.x, (float)(int)b.y, 0);
        al_hold_bitmap_drawing(false);
        al_flip_display();
    }
    printf("%d\n", kRounds * kCallsPerRound);
    al_destroy_bitmap(bitmap);
    al_destroy_display(display);
    return 0;
}
