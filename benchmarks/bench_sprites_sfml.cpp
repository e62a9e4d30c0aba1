// Bouncing sprites through SFML 2.5: one sf::Sprite drawn per sprite.
#include <SFML/Graphics.hpp>

#include "BouncingSprites.h"

int main(int argc, char** argv)
{
    sf::RenderWindow window(sf::VideoMode(kScreenWidth, kScreenHeight), "sprites");
    window.setVerticalSyncEnabled(false);
    window.setFramerateLimit(0);
    sf::Texture textures[33];
    for (int size : kSpriteSizes) {
        std::vector<uint8_t> pixels = SpritePixels(size);
        textures[size].create(size, size);
        textures[size].update(pixels.data());
    }

    std::vector<sf::Sprite> drawn;
    RunBouncingSprites(argc, argv, "SFML 2.5 (sf::Sprite)", [&](const std::vector<Bouncer>& sprites, int size) {
        if (drawn.size() != sprites.size() || drawn[0].getTexture() != &textures[size])
            drawn.assign(sprites.size(), sf::Sprite(textures[size]));
        window.clear(sf::Color::Black);
        for (size_t i = 0; i < sprites.size(); i++) {
            drawn[i].setPosition((float)(int)sprites[i].x, (float)(int)sprites[i].y);
            window.draw(drawn[i]);
        }
        window.display();
    });
    return 0;
}
