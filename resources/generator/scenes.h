#pragma once
#include <QImage>

namespace pictures {

class TSeededRandom;

// The demonstration scenes. Each paints the whole of `image`, whatever its
// size, from coordinates relative to that size, drawing its randomness from
// `random` only. None of them writes any text.

// Landscapes (scenes_landscape.cpp).
void DrawSunsetHills(QImage& image, TSeededRandom& random);
void DrawSnowyMountains(QImage& image, TSeededRandom& random);
void DrawSeaShore(QImage& image, TSeededRandom& random);
void DrawMistyForest(QImage& image, TSeededRandom& random);

// Night scenes (scenes_night.cpp).
void DrawStarryNight(QImage& image, TSeededRandom& random);
void DrawCitySkyline(QImage& image, TSeededRandom& random);

// Patterns (scenes_pattern.cpp).
void DrawLowPolyAbstract(QImage& image, TSeededRandom& random);
void DrawFlowerMeadow(QImage& image, TSeededRandom& random);
void DrawTestCard(QImage& image, TSeededRandom& random);

}  // namespace pictures
