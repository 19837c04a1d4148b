#include "scenery/figures.h"

#include <cmath>
#include <vector>

namespace velko::art {

using namespace paint;

namespace {

Path limb(Vec2 a, Vec2 b, float wa, float wb) {
    const Vec2 pts[] = {a, b};
    const float w[] = {wa, wb};
    return strokeTapered(pts, w);
}

Path limb3(Vec2 a, Vec2 m, Vec2 b, float wa, float wm, float wb) {
    const Vec2 pts[] = {a, m, b};
    const float w[] = {wa, wm, wb};
    return strokeTapered(pts, w);
}

}  // namespace

Path person(const Figure& f) {
    // Drawn at unit height, feet at the origin, then placed.
    Path p;
    const float lean = f.facing * 0.02f;
    if (f.pose == Pose::Sitting) {
        p.addEllipse(lean, -0.6f, 0.062f, 0.07f);
        p.addRect(-0.025f, -0.56f, 0.05f, 0.06f);
        const Vec2 torso[] = {{-0.12f, -0.5f}, {0.12f, -0.5f}, {0.15f, -0.08f},
                              {0.17f, 0.0f},   {-0.17f, 0.0f}, {-0.15f, -0.08f}};
        p.addPolygon(torso);
        p.addEllipse(0, -0.49f, 0.125f, 0.035f);
        p.append(limb({-0.12f, -0.48f}, {-0.16f, -0.2f}, 0.055f, 0.04f));
        p.append(limb({0.12f, -0.48f}, {0.16f, -0.2f}, 0.055f, 0.04f));
        if (f.longHair) {
            p.addEllipse(lean, -0.5f, 0.07f, 0.12f);
        }
        return p.transformed(
            Affine::scale(f.height, f.height).then(Affine::translate(f.feet.x, f.feet.y)));
    }
    // Head, neck, shoulders.
    p.addEllipse(lean, -0.93f, 0.06f, 0.068f);
    p.addRect(-0.022f + lean, -0.88f, 0.044f, 0.06f);
    if (f.longHair) {
        const Vec2 hair[] = {{-0.062f + lean, -0.95f},
                             {0.062f + lean, -0.95f},
                             {0.08f, -0.72f},
                             {0.0f, -0.68f},
                             {-0.08f, -0.72f}};
        p.addPolygon(hair);
    }
    const float sh = f.skirt ? 0.11f : 0.125f;
    const Vec2 torso[] = {{-sh, -0.83f},   {sh, -0.83f},     {sh * 0.95f, -0.72f},
                          {0.09f, -0.52f}, {-0.09f, -0.52f}, {-sh * 0.95f, -0.72f}};
    p.addPolygon(torso);
    p.addEllipse(0, -0.825f, sh, 0.03f);
    // Legs.
    float lx = 0.045f, rx = 0.045f, lFoot = 0, rFoot = 0;
    if (f.pose == Pose::Walking) {
        lx = 0.09f;
        rx = 0.01f;
        lFoot = -0.01f;
    }
    if (f.skirt) {
        const Vec2 skirt[] = {{-0.085f, -0.6f}, {0.085f, -0.6f}, {0.15f, -0.28f}, {-0.15f, -0.28f}};
        p.addPolygon(skirt);
        p.append(limb({-0.05f, -0.3f}, {-lx, rFoot}, 0.045f, 0.032f));
        p.append(limb({0.05f, -0.3f}, {rx, lFoot}, 0.045f, 0.032f));
    } else {
        p.append(limb3({-0.05f, -0.52f}, {-0.055f, -0.27f}, {-lx, rFoot}, 0.075f, 0.06f, 0.045f));
        p.append(limb3({0.05f, -0.52f}, {0.055f, -0.27f}, {rx, lFoot}, 0.075f, 0.06f, 0.045f));
    }
    p.addEllipse(-lx, -0.01f, 0.04f, 0.018f);
    p.addEllipse(rx, -0.01f, 0.04f, 0.018f);
    // Arms by pose.
    switch (f.pose) {
        case Pose::Working:
            p.append(limb3({-sh + 0.01f, -0.8f}, {-0.2f, -0.95f}, {-0.16f, -1.15f}, 0.05f, 0.042f,
                           0.035f));
            p.append(
                limb3({sh - 0.01f, -0.8f}, {0.2f, -0.9f}, {0.22f, -1.1f}, 0.05f, 0.042f, 0.035f));
            break;
        case Pose::Leaning:
            p.append(limb3({-sh + 0.01f, -0.8f}, {-0.15f, -0.65f}, {-0.13f, -0.5f}, 0.05f, 0.042f,
                           0.035f));
            p.append(
                limb3({sh - 0.01f, -0.8f}, {0.22f, -0.68f}, {0.3f, -0.58f}, 0.05f, 0.042f, 0.035f));
            break;
        case Pose::Walking:
            p.append(limb3({-sh + 0.01f, -0.8f}, {-0.16f, -0.66f}, {-0.12f, -0.5f}, 0.05f, 0.042f,
                           0.035f));
            p.append(
                limb3({sh - 0.01f, -0.8f}, {0.15f, -0.64f}, {0.17f, -0.5f}, 0.05f, 0.042f, 0.035f));
            break;
        default:
            p.append(limb3({-sh + 0.01f, -0.8f}, {-0.15f, -0.65f}, {-0.14f, -0.49f}, 0.05f, 0.042f,
                           0.035f));
            p.append(limb3({sh - 0.01f, -0.8f}, {0.15f, -0.65f}, {0.14f, -0.49f}, 0.05f, 0.042f,
                           0.035f));
            break;
    }
    if (f.bag) {
        p.addRoundRect(0.08f, -0.56f, 0.2f, 0.12f, 0.03f);
        p.append(limb({-0.06f, -0.82f}, {0.15f, -0.56f}, 0.018f, 0.018f));
    }
    Affine t = Affine::scale(f.height, f.height);
    if (f.pose == Pose::Leaning) {
        t = Affine::rotate(0.07f).then(t);
    }
    return p.transformed(t.then(Affine::translate(f.feet.x, f.feet.y)));
}

Path umbrellaCanopy(Vec2 top, float r, float tilt) {
    std::vector<Vec2> pts;
    const int n = 40;
    for (int i = 0; i <= n; ++i) {
        const float a = 3.14159f + 3.14159f * static_cast<float>(i) / n;
        pts.push_back({std::cos(a) * r, std::sin(a) * r * 0.42f});
    }
    // Scalloped rim between the ribs.
    for (int i = 12; i >= 0; --i) {
        const float u = -1.0f + 2.0f * static_cast<float>(i) / 12;
        const float dip = (i % 2 == 0) ? 0.0f : r * 0.05f;
        pts.push_back({u * r, r * 0.02f + dip});
    }
    Path p;
    p.addPolygon(pts);
    return p.transformed(Affine::rotate(tilt).then(Affine::translate(top.x, top.y)));
}

Path umbrellaRibs(Vec2 top, float r, float tilt, float sc) {
    Path p;
    for (int i = 0; i <= 6; ++i) {
        const float u = -1.0f + 2.0f * static_cast<float>(i) / 6;
        const Vec2 a[] = {{0, -r * 0.42f}, {u * r, r * 0.02f}};
        p.append(strokePolyline(a, 0.8f * sc));
    }
    const Vec2 shaft[] = {{0, -r * 0.48f}, {0, r * 1.3f}};
    p.append(strokePolyline(shaft, 1.4f * sc));
    return p.transformed(Affine::rotate(tilt).then(Affine::translate(top.x, top.y)));
}

Path bicycle(Vec2 g, float wr, bool facingRight) {
    Path p;
    const float s = facingRight ? 1.0f : -1.0f;
    const Vec2 back{g.x - s * wr * 1.25f, g.y - wr};
    const Vec2 front{g.x + s * wr * 1.25f, g.y - wr};
    for (const Vec2 c : {back, front}) {
        std::vector<Vec2> ring;
        for (int i = 0; i <= 48; ++i) {
            const float a = 6.2832f * static_cast<float>(i) / 48;
            ring.push_back({c.x + std::cos(a) * wr, c.y + std::sin(a) * wr});
        }
        p.append(strokePolyline(ring, wr * 0.09f));
    }
    const Vec2 crank{g.x - s * wr * 0.15f, g.y - wr * 0.95f};
    const Vec2 seat{g.x - s * wr * 0.45f, g.y - wr * 2.15f};
    const Vec2 head{g.x + s * wr * 0.95f, g.y - wr * 2.2f};
    const float t = wr * 0.08f;
    const Vec2 frame[] = {back, crank, head, front};
    p.append(strokePolyline(frame, t));
    const Vec2 frame2[] = {back, seat, crank};
    p.append(strokePolyline(frame2, t));
    const Vec2 top[] = {seat, head};
    p.append(strokePolyline(top, t));
    const Vec2 bars[] = {head,
                         {head.x - s * wr * 0.1f, head.y - wr * 0.35f},
                         {head.x - s * wr * 0.45f, head.y - wr * 0.4f}};
    p.append(strokePolyline(bars, t));
    p.addRoundRect(seat.x - wr * 0.3f, seat.y - wr * 0.15f, wr * 0.55f, wr * 0.14f, wr * 0.05f);
    const Vec2 basket[] = {{front.x - s * wr * 0.1f, head.y - wr * 0.05f}};
    p.addRoundRect(basket[0].x - wr * 0.35f + s * wr * 0.2f, basket[0].y, wr * 0.6f, wr * 0.45f,
                   wr * 0.05f);
    return p;
}

Path cat(Vec2 g, float size, bool sitting) {
    Path p;
    if (sitting) {
        p.addEllipse(g.x, g.y - size * 0.35f, size * 0.26f, size * 0.36f);
        p.addCircle(g.x + size * 0.05f, g.y - size * 0.8f, size * 0.17f);
        const Vec2 e1[] = {{g.x - size * 0.1f, g.y - size * 0.9f},
                           {g.x - size * 0.08f, g.y - size * 1.07f},
                           {g.x + size * 0.02f, g.y - size * 0.95f}};
        const Vec2 e2[] = {{g.x + size * 0.07f, g.y - size * 0.95f},
                           {g.x + size * 0.18f, g.y - size * 1.07f},
                           {g.x + size * 0.2f, g.y - size * 0.88f}};
        p.addPolygon(e1);
        p.addPolygon(e2);
        const auto tail =
            sampleQuad({g.x - size * 0.15f, g.y - size * 0.05f}, {g.x - size * 0.55f, g.y},
                       {g.x - size * 0.45f, g.y - size * 0.3f}, 12);
        p.append(strokePolyline(tail, size * 0.08f));
    } else {
        p.addEllipse(g.x, g.y - size * 0.3f, size * 0.4f, size * 0.17f);
        p.addCircle(g.x + size * 0.42f, g.y - size * 0.42f, size * 0.14f);
        for (const float lx : {-0.3f, -0.2f, 0.2f, 0.3f}) {
            p.addRect(g.x + size * lx - size * 0.03f, g.y - size * 0.25f, size * 0.06f,
                      size * 0.25f);
        }
    }
    return p;
}

}  // namespace velko::art
