#pragma once
#include <QColor>
#include <QPainterPath>
#include <QPointF>

class QPainter;

namespace pictures {

class TSeededRandom;

// Outlines and lights shared by several demonstration scenes. Every outline is
// closed along the bottom edge `bottom`, ready to be filled.

// Soft hills: a sum of three sine waves of random phase around `baseline`.
QPainterPath RollingHills(double width, double baseline, double amplitude, double bottom, TSeededRandom& random);

// A mountain ridge: a few peaks with straight flanks, roughened at every
// scale by midpoint displacement. The tallest peak rises `amplitude` above `baseline`.
QPainterPath JaggedRidge(double width, double baseline, double amplitude, double bottom, TSeededRandom& random);

// A fir tree standing on `foot`: a trunk and tiers of drooping branches.
QPainterPath FirTree(QPointF foot, double height, TSeededRandom& random);

// A round light fading from `color` in the middle to nothing at `radius`.
void DrawGlow(QPainter& painter, QPointF centre, double radius, QColor color);

}  // namespace pictures
