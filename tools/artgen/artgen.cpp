// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// Draws every picture of the program with QPainter and writes them as PNG files.
//
// Usage: artgen OUTDIR
//
// The drawing uses fixed seeds and the Liberation fonts only, so a run on the same system
// writes the same pictures. The sizes are those of the windows' layouts; src/assets/README.md
// lists each picture with the control that shows it.
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <numbers>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;

// ---------------------------------------------------------------------------------------------
// Palette

const QColor kNight(3, 6, 18);            // top of the night sky
const QColor kNavy(10, 22, 56);           // sky near the horizon
const QColor kGround(2, 4, 12);           // hills and ground
const QColor kAccent(70, 120, 255);       // blue accent lines and glows
const QColor kWave(120, 175, 255);        // radio waves
const QColor kSteel(150, 170, 205);       // the mast
const QColor kButtonText(167, 181, 194);  // picture-button caption, normal
const QColor kButtonHover(255, 246, 0);   // picture-button caption, pointer over it
const QColor kButtonPress(255, 180, 0);   // picture-button caption, held down
const QColor kPageText(6, 6, 6);          // page button caption when its page is not shown
const QColor kPanelGrey(64, 64, 64);      // the dark grey of the windows' panels

// ---------------------------------------------------------------------------------------------
// Small tools

// xorshift32: the same stars and hills on every run.
class Random {
public:
    explicit Random(std::uint32_t seed) : state_(seed ? seed : 1u) {}
    double Uniform() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 4294967296.0;
    }
    double Between(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

private:
    std::uint32_t state_;
};

// How many pixels each picture has per pixel of the layout: 1, then 2 for the
// "@2x" pictures of screens scaled above 1. Drawing stays in layout pixels.
int gScale = 1;

// A picture's whole area in layout pixels, whatever its scale.
QRect Area(const QImage& image) {
    return QRect(QPoint(0, 0), image.deviceIndependentSize().toSize());
}

QImage NewImage(int w, int h) {
    QImage image(w * gScale, h * gScale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(gScale);
    image.fill(Qt::transparent);
    return image;
}

QFont Font(const char* family, int pixels, int weight = QFont::Normal, bool italic = false) {
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(italic);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont Spaced(QFont font, qreal spacing) {
    font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return font;
}

QColor WithAlpha(QColor c, double alpha) {
    c.setAlphaF(static_cast<float>(std::clamp(alpha, 0.0, 1.0)));
    return c;
}

QColor Mix(const QColor& a, const QColor& b, double t) {
    auto m = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()));
}

// Three box passes in each direction: close to a Gaussian blur of the given radius.
QImage Blur(const QImage& source, int radius) {
    QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (radius < 1) return image;
    const int box = std::max(1, radius / 2);
    const int w = image.width();
    const int h = image.height();
    std::vector<std::uint32_t> line(static_cast<std::size_t>(std::max(w, h)));
    auto pass = [&](bool horizontal) {
        const int count = horizontal ? h : w;
        const int length = horizontal ? w : h;
        for (int k = 0; k < count; ++k) {
            auto at = [&](int i) -> QRgb& {
                const int x = horizontal ? i : k;
                const int y = horizontal ? k : i;
                return reinterpret_cast<QRgb*>(image.scanLine(y))[x];
            };
            for (int i = 0; i < length; ++i) line[static_cast<std::size_t>(i)] = at(i);
            int sum[4] = {0, 0, 0, 0};
            auto add = [&](int i, int sign) {
                const QRgb c = line[static_cast<std::size_t>(std::clamp(i, 0, length - 1))];
                sum[0] += sign * qAlpha(c);
                sum[1] += sign * qRed(c);
                sum[2] += sign * qGreen(c);
                sum[3] += sign * qBlue(c);
            };
            for (int i = -box; i <= box; ++i) add(i, 1);
            const int span = 2 * box + 1;
            for (int i = 0; i < length; ++i) {
                at(i) = qRgba(sum[1] / span, sum[2] / span, sum[3] / span, sum[0] / span);
                add(i + box + 1, 1);
                add(i - box, -1);
            }
        }
    };
    for (int n = 0; n < 3; ++n) {
        pass(true);
        pass(false);
    }
    return image;
}

// Draws `draw` into a layer of the painter's size, blurs it and lays it under what follows.
void Glow(QPainter& p, int radius, double opacity, const std::function<void(QPainter&)>& draw) {
    const int scale = std::max(1, static_cast<int>(p.device()->devicePixelRatio()));
    const QSize size = p.device()->width() > 0
                           ? QSize(p.device()->width() / scale, p.device()->height() / scale)
                           : QSize(1, 1);
    QImage layer = NewImage(size.width(), size.height());
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing);
        lp.setTransform(p.transform());
        draw(lp);
    }
    const QImage blurred = Blur(layer, radius * scale);
    p.save();
    p.resetTransform();
    p.setOpacity(opacity);
    p.drawImage(0, 0, blurred);
    p.restore();
}

bool SavePng(const QImage& image, const QDir& dir, const char* name, bool keepAlpha = false) {
    const QString file = dir.filePath(QString::fromLatin1(name));
    const QImage out = keepAlpha ? image.convertToFormat(QImage::Format_ARGB32)
                                 : image.convertToFormat(QImage::Format_RGB888);
    if (!out.save(file, "PNG")) {
        std::fprintf(stderr, "artgen: could not write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s %dx%d\n", name, image.width(), image.height());
    return true;
}

// ---------------------------------------------------------------------------------------------
// Scenery: night sky, stars, hills, the mast and its waves

void Sky(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, top);
    g.setColorAt(0.55, Mix(top, bottom, 0.45));
    g.setColorAt(1.0, bottom);
    p.fillRect(r, g);
}

// A soft patch of light, as from a town below the horizon or the glow round a transmitter.
void Haze(QPainter& p, const QPointF& centre, double rx, double ry, const QColor& colour,
          double alpha) {
    p.save();
    p.translate(centre);
    p.scale(1.0, ry / rx);
    QRadialGradient g(QPointF(0, 0), rx);
    g.setColorAt(0.0, WithAlpha(colour, alpha));
    g.setColorAt(0.5, WithAlpha(colour, alpha * 0.35));
    g.setColorAt(1.0, WithAlpha(colour, 0.0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QPointF(0, 0), rx, rx);
    p.restore();
}

void Stars(QPainter& p, const QRectF& area, int count, std::uint32_t seed, double brightness,
           const std::function<bool(const QPointF&)>& allowed = {}) {
    Random rnd(seed);
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF at(area.left() + rnd.Uniform() * area.width(),
                         area.top() + rnd.Uniform() * area.height());
        const double size = rnd.Uniform();
        const double tint = rnd.Uniform();
        // Fewer stars low in the sky, where the haze of the horizon hides them.
        const double height = (at.y() - area.top()) / area.height();
        double alpha = brightness * (0.25 + 0.75 * rnd.Uniform()) * (1.0 - 0.7 * height);
        if (allowed && !allowed(at)) continue;
        const QColor colour = tint < 0.2   ? QColor(255, 236, 210)
                              : tint < 0.6 ? QColor(215, 228, 255)
                                           : QColor(245, 248, 255);
        const double radius = 0.45 + size * size * 1.1;
        QRadialGradient g(at, radius * 2.2);
        g.setColorAt(0.0, WithAlpha(colour, alpha));
        g.setColorAt(0.35, WithAlpha(colour, alpha * 0.6));
        g.setColorAt(1.0, WithAlpha(colour, 0.0));
        p.setBrush(g);
        p.drawEllipse(at, radius * 2.2, radius * 2.2);
        if (size > 0.93) {  // the brightest get a faint cross of light
            alpha *= 0.55;
            QLinearGradient h(at - QPointF(6, 0), at + QPointF(6, 0));
            h.setColorAt(0.0, WithAlpha(colour, 0.0));
            h.setColorAt(0.5, WithAlpha(colour, alpha));
            h.setColorAt(1.0, WithAlpha(colour, 0.0));
            p.fillRect(QRectF(at.x() - 6, at.y() - 0.4, 12, 0.8), h);
            QLinearGradient v(at - QPointF(0, 6), at + QPointF(0, 6));
            v.setColorAt(0.0, WithAlpha(colour, 0.0));
            v.setColorAt(0.5, WithAlpha(colour, alpha));
            v.setColorAt(1.0, WithAlpha(colour, 0.0));
            p.fillRect(QRectF(at.x() - 0.4, at.y() - 6, 0.8, 12), v);
        }
    }
    p.restore();
}

// A line of rolling hills: the outline is a sum of a few sines with seeded phases.
QPainterPath HillPath(double width, double bottom, double baseY, double amplitude,
                      std::uint32_t seed, const std::function<double(double)>& lift = {}) {
    Random rnd(seed);
    double phase[3], freq[3];
    for (int i = 0; i < 3; ++i) {
        phase[i] = rnd.Uniform() * 2 * kPi;
        freq[i] = (0.6 + i * 1.3 + rnd.Uniform() * 0.6) * 2 * kPi / width;
    }
    QPainterPath path;
    path.moveTo(-2, bottom + 2);
    for (double x = -2; x <= width + 2; x += 2) {
        double y = baseY;
        y -= amplitude *
             (0.55 * std::sin(freq[0] * x + phase[0]) + 0.30 * std::sin(freq[1] * x + phase[1]) +
              0.15 * std::sin(freq[2] * x + phase[2]));
        if (lift) y -= lift(x);
        path.lineTo(x, y);
    }
    path.lineTo(width + 2, bottom + 2);
    path.closeSubpath();
    return path;
}

void Hills(QPainter& p, const QPainterPath& path, const QColor& fill, double rim) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
    if (rim > 0) {  // a thin edge of light where the sky meets the hill
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(WithAlpha(kAccent, rim), 1.0));
        p.setClipRect(QRectF(0, 0, p.device()->width(), p.device()->height() - 1));
        QPainterPath top;
        const int n = path.elementCount();
        for (int i = 1; i < n - 2; ++i) {
            const QPointF pt(path.elementAt(i).x, path.elementAt(i).y);
            if (i == 1)
                top.moveTo(pt);
            else
                top.lineTo(pt);
        }
        p.drawPath(top);
    }
    p.restore();
}

struct Mast {
    QPointF base;      // centre of the foot
    double height;     // foot to the top of the lattice
    double footWidth;  // width at the foot
    double topWidth;   // width at the top of the lattice
    int sections;      // lattice bays
    double scale;      // line widths
    QPointF Beacon() const { return base - QPointF(0, height * 1.2); }
};

// A guyed lattice tower with a short pole, two beams and a beacon light at the top.
void DrawMast(QPainter& p, const Mast& m, double guyLeft, double guyRight, double ground) {
    const double bx = m.base.x();
    const double by = m.base.y();
    auto legX = [&](double t, int side) {  // t = 0 at the foot, 1 at the top
        const double half = (m.footWidth + (m.topWidth - m.footWidth) * t) / 2;
        return bx + side * half;
    };
    auto yAt = [&](double t) { return by - m.height * t; };

    p.save();
    p.setRenderHint(QPainter::Antialiasing);

    // Guy wires from three heights to anchors on either side.
    for (double t : {0.33, 0.66, 0.98}) {
        for (double anchor : {guyLeft, guyRight}) {
            QLinearGradient g(QPointF(bx, yAt(t)), QPointF(anchor, ground));
            g.setColorAt(0.0, WithAlpha(kSteel, 0.45));
            g.setColorAt(1.0, WithAlpha(kSteel, 0.10));
            p.setPen(QPen(QBrush(g), 0.6 * m.scale));
            p.drawLine(QPointF(bx, yAt(t)), QPointF(anchor, ground));
        }
    }

    // Lattice: steel lit from the left, so the right leg is darker.
    QLinearGradient steel(QPointF(bx - m.footWidth / 2, 0), QPointF(bx + m.footWidth / 2, 0));
    steel.setColorAt(0.0, QColor(205, 220, 245));
    steel.setColorAt(1.0, QColor(95, 115, 155));
    const QPen leg(QBrush(steel), 1.5 * m.scale, Qt::SolidLine, Qt::RoundCap);
    const QPen brace(WithAlpha(kSteel, 0.75), 0.7 * m.scale, Qt::SolidLine, Qt::RoundCap);
    p.setPen(brace);
    for (int i = 0; i < m.sections; ++i) {
        const double t0 = static_cast<double>(i) / m.sections;
        const double t1 = static_cast<double>(i + 1) / m.sections;
        p.drawLine(QPointF(legX(t0, -1), yAt(t0)), QPointF(legX(t1, 1), yAt(t1)));
        p.drawLine(QPointF(legX(t0, 1), yAt(t0)), QPointF(legX(t1, -1), yAt(t1)));
        p.drawLine(QPointF(legX(t1, -1), yAt(t1)), QPointF(legX(t1, 1), yAt(t1)));
    }
    p.setPen(leg);
    p.drawLine(QPointF(legX(0, -1), by), QPointF(legX(1, -1), yAt(1)));
    p.drawLine(QPointF(legX(0, 1), by), QPointF(legX(1, 1), yAt(1)));
    // A faint centre member so the tower reads as three-sided.
    p.setPen(QPen(WithAlpha(kSteel, 0.35), 0.8 * m.scale));
    p.drawLine(QPointF(bx, by), QPointF(bx, yAt(1)));

    // The pole above the lattice with two beams seen end-on and a vertical whip.
    const double top = yAt(1);
    const QPointF beacon = m.Beacon();
    p.setPen(QPen(QColor(200, 212, 235), 1.6 * m.scale, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(bx, top), beacon + QPointF(0, 3 * m.scale));
    const double pole = top - beacon.y();
    for (int k = 0; k < 2; ++k) {
        const double y = top - pole * (0.35 + 0.35 * k);
        const double half = m.topWidth * (2.6 - 0.7 * k);
        p.setPen(QPen(QColor(185, 200, 228), 1.2 * m.scale, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(bx - half, y), QPointF(bx + half, y));
        p.setPen(QPen(QColor(185, 200, 228), 0.9 * m.scale, Qt::SolidLine, Qt::RoundCap));
        for (int e = -2; e <= 2; ++e) {  // the elements, shorter towards the tips
            const double x = bx + half * e / 2.2;
            const double len = (3.2 - std::abs(e) * 0.6) * m.scale;
            p.drawLine(QPointF(x, y - len), QPointF(x, y + len));
        }
    }

    // Red beacon with its glow.
    QRadialGradient halo(beacon, 9 * m.scale);
    halo.setColorAt(0.0, QColor(255, 90, 70, 200));
    halo.setColorAt(0.3, QColor(255, 50, 40, 80));
    halo.setColorAt(1.0, QColor(255, 40, 30, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(beacon, 9 * m.scale, 9 * m.scale);
    p.setBrush(QColor(255, 210, 200));
    p.drawEllipse(beacon, 1.5 * m.scale, 1.5 * m.scale);
    p.restore();
}

// Concentric arcs spreading from a point to both sides, fading as they go.
void Waves(QPainter& p, const QPointF& centre, double first, double step, int count, double span,
           double width, double alpha, bool left = true, bool right = true) {
    auto draw = [&](QPainter& q, double widthScale) {
        q.setBrush(Qt::NoBrush);
        for (int i = 0; i < count; ++i) {
            const double r = first + step * i;
            const double fade = std::pow(1.0 - static_cast<double>(i) / count, 1.3);
            q.setPen(QPen(WithAlpha(kWave, alpha * fade),
                          width * widthScale * (1.0 - 0.4 * i / count), Qt::SolidLine,
                          Qt::RoundCap));
            const QRectF box(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
            const int s = static_cast<int>(span * 16);
            if (right) q.drawArc(box, -s / 2, s);
            if (left) q.drawArc(box, 180 * 16 - s / 2, s);
        }
    };
    Glow(p, 4, 0.9, [&](QPainter& q) { draw(q, 3.0); });
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, 1.0);
    p.restore();
}

// A wire-frame globe, tilted towards the viewer: the far side of each line is fainter.
void Globe(QPainter& p, const QPointF& c, double r, double tilt, double turn) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient body(c + QPointF(-r * 0.35, -r * 0.4), r * 1.3);
    body.setColorAt(0.0, QColor(22, 44, 110, 235));
    body.setColorAt(0.6, QColor(8, 18, 50, 235));
    body.setColorAt(1.0, QColor(3, 6, 20, 240));
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawEllipse(c, r, r);

    const double ct = std::cos(tilt), st = std::sin(tilt);
    // Point on the sphere at latitude `lat`, longitude `lon`; z > 0 faces the viewer.
    auto project = [&](double lat, double lon, double& z) {
        const double x = std::cos(lat) * std::sin(lon + turn);
        const double y = std::sin(lat);
        const double z0 = std::cos(lat) * std::cos(lon + turn);
        z = z0 * ct + y * st;
        return QPointF(c.x() + r * x, c.y() - r * (y * ct - z0 * st));
    };
    // Each line is drawn as runs of one path each, split where it passes behind the globe.
    auto trace = [&](const std::function<void(double, double&, double&)>& at, int steps) {
        QPainterPath run;
        bool front = false;
        auto flush = [&] {
            if (run.elementCount() > 1) {
                p.setPen(
                    QPen(WithAlpha(QColor(120, 170, 255), front ? 0.55 : 0.13), front ? 1.0 : 0.7));
                p.setBrush(Qt::NoBrush);
                p.drawPath(run);
            }
            run = QPainterPath();
        };
        for (int i = 0; i <= steps; ++i) {
            double lat, lon, z;
            at(static_cast<double>(i) / steps, lat, lon);
            const QPointF pt = project(lat, lon, z);
            if (i == 0 || (z > 0) != front) {
                if (i > 0) run.lineTo(pt);
                flush();
                front = z > 0;
                run.moveTo(pt);
            } else {
                run.lineTo(pt);
            }
        }
        flush();
    };
    for (int k = 0; k < 12; ++k) {  // meridians every 30 degrees
        const double lon = k * kPi / 6;
        trace([&](double t, double& la, double& lo) { la = -kPi / 2 + t * kPi, lo = lon; }, 48);
    }
    for (int k = -2; k <= 2; ++k) {  // parallels every 30 degrees
        const double lat = k * kPi / 6;
        trace([&](double t, double& la, double& lo) { la = lat, lo = t * 2 * kPi; }, 96);
    }
    // Rim light, brighter on the side that faces the mast.
    QLinearGradient rim(c - QPointF(r, r), c + QPointF(r, r));
    rim.setColorAt(0.0, WithAlpha(kAccent, 0.25));
    rim.setColorAt(1.0, WithAlpha(kAccent, 0.8));
    p.setPen(QPen(QBrush(rim), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    p.restore();
}

// ---------------------------------------------------------------------------------------------
// Lettering

// Large title lettering: blue glow, shadow, a cool metallic fill and a fine dark edge.
void TitleText(QPainter& p, const QString& text, const QFont& font, const QPointF& baseline) {
    QPainterPath path;
    path.addText(baseline, font, text);
    const QRectF box = path.boundingRect();
    Glow(p, 9, 0.85, [&](QPainter& q) {
        q.setPen(Qt::NoPen);
        q.setBrush(QColor(60, 110, 255));
        q.drawPath(path);
    });
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 150));
    p.drawPath(path.translated(2.0, 3.0));
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0.0, QColor(255, 255, 255));
    fill.setColorAt(0.45, QColor(200, 220, 255));
    fill.setColorAt(0.52, QColor(140, 175, 245));
    fill.setColorAt(1.0, QColor(80, 125, 230));
    p.setBrush(fill);
    p.setPen(QPen(QColor(12, 30, 90, 200), 1.0));
    p.drawPath(path);
    p.restore();
}

// The dots and dashes of a word in the international code, drawn as small bars.
void MorseLine(QPainter& p, const char* word, QPointF at, double unit, const QColor& colour) {
    static const char* const codes[26] = {".-",   "-...", "-.-.", "-..",  ".",    "..-.", "--.",
                                          "....", "..",   ".---", "-.-",  ".-..", "--",   "-.",
                                          "---",  ".--.", "--.-", ".-.",  "...",  "-",    "..-",
                                          "...-", ".--",  "-..-", "-.--", "--.."};
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (const char* c = word; *c; ++c) {
        const int letter = (*c | 0x20) - 'a';
        if (letter < 0 || letter >= 26) {
            at.rx() += unit * 4;
            continue;
        }
        for (const char* s = codes[letter]; *s; ++s) {
            const double len = *s == '-' ? unit * 3 : unit;
            p.drawRoundedRect(QRectF(at.x(), at.y() - unit / 2, len, unit), unit / 2, unit / 2);
            at.rx() += len + unit;
        }
        at.rx() += unit * 2;
    }
    p.restore();
}

void Text(QPainter& p, const QRectF& r, int flags, const QFont& font, const QColor& colour,
          const QString& text) {
    p.save();
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, flags, text);
    p.restore();
}

// ---------------------------------------------------------------------------------------------
// Picture buttons

enum class Look { Normal, Rolled, Clicked };

QColor CaptionColour(Look look) {
    switch (look) {
        case Look::Rolled:
            return kButtonHover;
        case Look::Clicked:
            return kButtonPress;
        case Look::Normal:
            break;
    }
    return kButtonText;
}

// Grey bevelled frame round a black face. Pressed, the bevel turns inside out.
void BevelFrame(QPainter& p, const QRect& r, bool pressed) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(r, QColor(18, 18, 20));
    const QRect bevel = r.adjusted(1, 1, -1, -1);
    const int depth = 2;
    const QColor light = pressed ? QColor(58, 60, 66) : QColor(214, 218, 226);
    const QColor lightInner = pressed ? QColor(84, 86, 92) : QColor(158, 162, 172);
    const QColor dark = pressed ? QColor(196, 200, 208) : QColor(66, 68, 74);
    const QColor darkInner = pressed ? QColor(140, 144, 152) : QColor(98, 100, 108);
    for (int i = 0; i < depth; ++i) {
        const QRect b = bevel.adjusted(i, i, -i, -i);
        const QColor l = i == 0 ? light : lightInner;
        const QColor d = i == 0 ? dark : darkInner;
        p.setPen(l);
        p.drawLine(b.topLeft(), b.topRight() - QPoint(1, 0));
        p.drawLine(b.topLeft(), b.bottomLeft() - QPoint(0, 1));
        p.setPen(d);
        p.drawLine(b.bottomLeft(), b.bottomRight());
        p.drawLine(b.topRight(), b.bottomRight());
    }
    const QRect face = bevel.adjusted(depth, depth, -depth, -depth);
    p.setPen(QColor(8, 8, 8));
    p.drawRect(face.adjusted(0, 0, -1, -1));
    const QRect inner = face.adjusted(1, 1, -1, -1);
    QLinearGradient g(inner.topLeft(), inner.bottomLeft());
    if (pressed) {
        g.setColorAt(0.0, QColor(0, 0, 0));
        g.setColorAt(1.0, QColor(14, 15, 18));
    } else {
        g.setColorAt(0.0, QColor(34, 36, 42));
        g.setColorAt(0.48, QColor(10, 10, 12));
        g.setColorAt(0.52, QColor(0, 0, 0));
        g.setColorAt(1.0, QColor(6, 6, 8));
    }
    p.fillRect(inner, g);
    p.restore();
}

// The area inside the bevel, where a caption or an icon goes; pressed looks shift by a pixel.
QRectF Content(const QRect& r, Look look) {
    QRectF c = QRectF(r).adjusted(4, 4, -4, -4);
    if (look == Look::Clicked) c.translate(1, 1);
    return c;
}

// Serif capitals, letter-spaced; long captions give up spacing, then size, to fit.
QFont CaptionFont(int pixels, const QString& text = {}, double room = 1e9) {
    for (int size = pixels; size > 8; --size) {
        for (double spacing : {1.0, 0.5, 0.0}) {
            const QFont font = Spaced(Font("Liberation Serif", size, QFont::Bold), spacing);
            if (QFontMetricsF(font).horizontalAdvance(text) <= room) return font;
        }
    }
    return Font("Liberation Serif", 8, QFont::Bold);
}

// Caption text with a soft halo in its own colour when the button is lit.
void Caption(QPainter& p, const QRectF& r, const QFont& font, Look look, const QString& text) {
    const QColor colour = CaptionColour(look);
    if (look != Look::Normal)
        Glow(p, 2, 0.55, [&](QPainter& q) {
            q.setFont(font);
            q.setPen(colour);
            q.drawText(r, Qt::AlignCenter, text);
        });
    Text(p, r, Qt::AlignCenter, font, colour, text);
}

QImage TextButton(const QString& text, Look look) {
    QImage image = NewImage(130, 27);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    BevelFrame(p, Area(image), look == Look::Clicked);
    const QRectF c = Content(Area(image), look).adjusted(0, 0, 0, 1);
    Caption(p, c, CaptionFont(13, text, c.width() - 10), look, text);
    return image;
}

// The page buttons of the options screen. Not selected: dark serif capitals on a white key;
// selected: the light-on-black bevel of the other buttons.
QImage PageButton(const QString& text, bool selected) {
    if (selected) return TextButton(text, Look::Normal);
    QImage image = NewImage(130, 27);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF r = QRectF(Area(image));
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, QColor(255, 255, 255));
    g.setColorAt(0.6, QColor(255, 255, 255));
    g.setColorAt(1.0, QColor(228, 230, 234));
    p.fillRect(r, g);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(176, 180, 188));
    p.drawRect(Area(image).adjusted(0, 0, -1, -1));
    p.setPen(QColor(212, 215, 220));
    p.drawLine(1, 25, 128, 25);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF c = r.adjusted(4, 4, -4, -3);
    Text(p, c, Qt::AlignCenter, CaptionFont(13, text, c.width() - 10), kPageText, text);
    return image;
}

using IconFn = std::function<void(QPainter&, const QRectF&, const QColor&)>;

// A picture button of the test screen: an icon over a caption in serif capitals.
QImage IconButton(int w, int h, const QString& text, Look look, const IconFn& icon) {
    QImage image = NewImage(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    BevelFrame(p, Area(image), look == Look::Clicked);
    const QRectF c = Content(Area(image), look);
    const QColor colour = CaptionColour(look);
    const QRectF iconBox(c.left(), c.top() + 2, c.width(), c.height() - 17);
    const QRectF textBox(c.left(), c.bottom() - 15, c.width(), 13);
    if (look != Look::Normal) Glow(p, 2, 0.5, [&](QPainter& q) { icon(q, iconBox, colour); });
    p.save();
    icon(p, iconBox, colour);
    p.restore();
    Caption(p, textBox, CaptionFont(11, text, textBox.width() - 4), look, text);
    return image;
}

// Leaving the test: an open door with an arrow stepping out of it.
void ExitIcon(QPainter& p, const QRectF& box, const QColor& colour) {
    const double s = std::min(box.width(), box.height());
    const QPointF c = box.center();
    const QRectF door(c.x() - s * 0.42, c.y() - s * 0.45, s * 0.42, s * 0.9);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(door);
    // The door leaf, swung open and seen in perspective.
    QPolygonF leaf;
    leaf << door.topLeft() << door.topLeft() + QPointF(s * 0.2, s * 0.12)
         << door.bottomLeft() + QPointF(s * 0.2, s * 0.02) << door.bottomLeft();
    p.setBrush(WithAlpha(colour, 0.35));
    p.drawPolygon(leaf);
    // The arrow.
    const double y = c.y() + s * 0.02;
    const double x0 = c.x() - s * 0.05;
    const double x1 = c.x() + s * 0.5;
    p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(x0, y), QPointF(x1 - 2, y));
    QPolygonF head;
    head << QPointF(x1 + 1, y) << QPointF(x1 - s * 0.2, y - s * 0.17)
         << QPointF(x1 - s * 0.2, y + s * 0.17);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(head);
}

// Information: a lower-case i in a ring.
void InfoIcon(QPainter& p, const QRectF& box, const QColor& colour) {
    const double s = std::min(box.width(), box.height());
    const QPointF c = box.center();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, s * 0.45, s * 0.45);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QPointF(c.x(), c.y() - s * 0.2), s * 0.075, s * 0.075);
    p.drawRoundedRect(QRectF(c.x() - s * 0.065, c.y() - s * 0.07, s * 0.13, s * 0.35), 1, 1);
}

// Skipping: two arrowheads running into a bar.
void SkipIcon(QPainter& p, const QRectF& box, const QColor& colour) {
    const double s = std::min(box.width(), box.height());
    const QPointF c = box.center();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const double h = s * 0.36;
    for (int k = 0; k < 2; ++k) {
        const double x = c.x() - s * 0.48 + k * s * 0.38;
        QPolygonF tri;
        tri << QPointF(x, c.y() - h) << QPointF(x + s * 0.4, c.y()) << QPointF(x, c.y() + h);
        p.drawPolygon(tri);
    }
    p.drawRect(QRectF(c.x() + s * 0.32, c.y() - h, s * 0.12, 2 * h));
}

// ---------------------------------------------------------------------------------------------
// Windows

// The start-up picture.
QImage Splash() {
    const int w = 440, h = 330;
    QImage image = NewImage(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    Sky(p, QRectF(0, 0, w, h), kNight, kNavy);
    Haze(p, QPointF(345, 300), 240, 110, QColor(40, 80, 200), 0.35);
    Haze(p, QPointF(60, 320), 200, 60, QColor(30, 60, 160), 0.25);
    Stars(p, QRectF(0, 0, w, 260), 150, 7, 0.9);

    const Mast mast{QPointF(352, 296), 172, 21, 6, 10, 1.0};
    Waves(p, mast.Beacon(), 14, 11, 7, 70, 1.6, 0.8);
    const QPainterPath far = HillPath(w, h, 292, 10, 3);
    Hills(p, far, QColor(6, 12, 32), 0.25);
    DrawMast(p, mast, 296, 408, 300);
    const QPainterPath near = HillPath(w, h, 306, 8, 11, [](double x) {
        return 14 * std::exp(-std::pow((x - 352) / 70, 2));  // the hill the mast stands on
    });
    Hills(p, near, kGround, 0.45);

    TitleText(p, QStringLiteral("Quillet"), Font("Liberation Serif", 82, QFont::Bold, true),
              QPointF(30, 152));
    Text(p, QRectF(34, 166, 300, 20), Qt::AlignLeft | Qt::AlignVCenter,
         Spaced(Font("Liberation Sans", 13, QFont::Bold), 0.6), QColor(190, 208, 245),
         QStringLiteral("Amateur Radio License Exam Study"));
    MorseLine(p, "QUILLET", QPointF(36, 197), 3, WithAlpha(kAccent, 0.85));
    Text(p, QRectF(34, 208, 290, 16), Qt::AlignLeft | Qt::AlignVCenter,
         Spaced(Font("Liberation Sans", 10), 0.6), QColor(130, 150, 200),
         QStringLiteral("Technician \u00B7 General \u00B7 Extra"));

    // A fine frame keeps the picture from bleeding into a dark desktop.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(WithAlpha(kAccent, 0.45));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, w - 1, h - 1);
    return image;
}

// The background of the main menu: title artwork at the top, the mast on the right, and a
// quiet panel behind the column of menu items.
QImage MainMenuBackground() {
    const int w = 640, h = 480;
    QImage image = NewImage(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    Sky(p, QRectF(0, 0, w, h), kNight, kNavy);
    Haze(p, QPointF(585, 440), 260, 150, QColor(40, 80, 200), 0.35);
    Haze(p, QPointF(120, 70), 220, 90, QColor(40, 70, 180), 0.18);

    const QRectF menu(204, 168, 336, 270);  // keeps stars off the menu texts
    const QPointF globe(106, 322);
    const double globeRadius = 76;
    Stars(p, QRectF(0, 0, w, 420), 260, 21, 0.85, [&](const QPointF& pt) {
        const QPointF d = pt - globe;
        return !menu.adjusted(-8, -8, 8, 8).contains(pt) &&
               d.x() * d.x() + d.y() * d.y() > (globeRadius + 6) * (globeRadius + 6);
    });
    Glow(p, 10, 0.6, [&](QPainter& q) {
        q.setPen(Qt::NoPen);
        q.setBrush(QColor(40, 80, 220));
        q.drawEllipse(globe, globeRadius, globeRadius);
    });
    Globe(p, globe, globeRadius, 0.38, 0.3);

    const Mast mast{QPointF(588, 452), 300, 30, 7, 14, 1.15};
    Waves(p, mast.Beacon(), 16, 13, 8, 64, 1.8, 0.75, true, true);
    const QPainterPath far = HillPath(w, h, 448, 14, 5);
    Hills(p, far, QColor(6, 12, 32), 0.22);
    DrawMast(p, mast, 548, 634, 462);
    const QPainterPath near = HillPath(
        w, h, 466, 6, 17, [](double x) { return 16 * std::exp(-std::pow((x - 590) / 60, 2)); });
    Hills(p, near, kGround, 0.4);

    // Title.
    TitleText(p, QStringLiteral("Quillet"), Font("Liberation Serif", 104, QFont::Bold, true),
              QPointF(44, 112));
    Text(p, QRectF(50, 124, 420, 22), Qt::AlignLeft | Qt::AlignVCenter,
         Spaced(Font("Liberation Sans", 15, QFont::Bold), 1.0), QColor(190, 208, 245),
         QStringLiteral("Amateur Radio License Exam Study"));
    MorseLine(p, "QUILLET", QPointF(52, 156), 3, WithAlpha(kAccent, 0.8));

    // The menu panel: darker glass with a thin blue edge.
    QPainterPath panel;
    panel.addRoundedRect(menu, 10, 10);
    QLinearGradient fill(menu.topLeft(), menu.bottomLeft());
    fill.setColorAt(0.0, QColor(2, 4, 14, 215));
    fill.setColorAt(1.0, QColor(2, 4, 12, 235));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(panel);
    QLinearGradient edge(menu.topLeft(), menu.bottomRight());
    edge.setColorAt(0.0, WithAlpha(kAccent, 0.75));
    edge.setColorAt(0.5, WithAlpha(kAccent, 0.25));
    edge.setColorAt(1.0, WithAlpha(kAccent, 0.55));
    p.setPen(QPen(QBrush(edge), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(panel.translated(0.5, 0.5));

    // Quiet dividers between the exams, the program's pages and "Exit".
    for (double y : {334.5, 399.5}) {
        QLinearGradient line(QPointF(menu.left() + 16, y), QPointF(menu.right() - 16, y));
        line.setColorAt(0.0, WithAlpha(kAccent, 0.0));
        line.setColorAt(0.15, WithAlpha(kAccent, 0.45));
        line.setColorAt(0.85, WithAlpha(kAccent, 0.45));
        line.setColorAt(1.0, WithAlpha(kAccent, 0.0));
        p.setPen(QPen(QBrush(line), 1.0));
        p.drawLine(QPointF(menu.left() + 16, y), QPointF(menu.right() - 16, y));
    }
    Text(p, QRectF(menu.left() + 22, menu.top() + 6, 280, 14), Qt::AlignLeft | Qt::AlignVCenter,
         Spaced(Font("Liberation Sans", 9, QFont::Bold), 2.0), QColor(96, 118, 170),
         QStringLiteral("PRACTICE EXAMS"));
    return image;
}

// The status strip along the bottom of the test screen, behind its picture buttons.
QImage TestStatusStrip() {
    const int w = 640, h = 68;
    QImage image = NewImage(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0.0, QColor(24, 38, 80));
    g.setColorAt(0.12, QColor(14, 24, 54));
    g.setColorAt(1.0, QColor(3, 6, 16));
    p.fillRect(Area(image), g);
    Haze(p, QPointF(230, 0), 260, 40, QColor(60, 100, 230), 0.18);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(100, 145, 255));
    p.drawLine(0, 0, w, 0);
    p.setPen(QColor(36, 58, 120));
    p.drawLine(0, 1, w, 1);
    return image;
}

// The dark strip at the top of the test screen that carries the section caption.
QImage TestHeader() {
    const int w = 631, h = 36;
    QImage image = NewImage(w, h);
    QPainter p(&image);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0.0, QColor(76, 76, 80));
    g.setColorAt(0.5, QColor(64, 64, 64));
    g.setColorAt(1.0, QColor(52, 52, 56));
    p.fillRect(Area(image), g);
    p.setPen(QColor(100, 145, 255));
    p.drawLine(0, h - 1, w, h - 1);
    p.setPen(QColor(96, 96, 100));
    p.drawLine(0, 0, w, 0);
    return image;
}

// A dark band behind a window title (options screen, results screen).
QImage Band(int w, int h, bool accentBelow) {
    QImage image = NewImage(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0.0, QColor(74, 74, 78));
    g.setColorAt(1.0, QColor(54, 54, 58));
    p.fillRect(Area(image), g);
    Haze(p, QPointF(w * 0.18, accentBelow ? h : 0), w * 0.35, h * 0.9, QColor(70, 110, 230), 0.22);
    // Faint waves spreading from the right end.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 7; ++i) {
        const double r = 18.0 + 16.0 * i;
        p.setPen(QPen(QColor(120, 160, 255, 46 - 5 * i), 1.4));
        p.drawArc(QRectF(w + 6 - r, h / 2.0 - r, 2 * r, 2 * r), 180 * 16 - 36 * 16, 72 * 16);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    const int y = accentBelow ? h - 2 : 0;
    QLinearGradient line(0, 0, w, 0);
    line.setColorAt(0.0, QColor(110, 150, 255));
    line.setColorAt(0.7, QColor(70, 110, 230));
    line.setColorAt(1.0, QColor(40, 70, 170));
    p.fillRect(QRect(0, y, w, 2), line);
    return image;
}

// Element tab frames of the options screen, rounded on the left and open to the list on the
// right. The chosen tab's frame has the dark grey of the list frame so that the two merge.
QImage TabFrame(bool chosen) {
    const int w = 84, h = 43;
    QImage image = NewImage(w, h);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(0.5, 0.5, w + 10, h - 1), 6, 6);
    if (chosen) {
        p.setPen(Qt::NoPen);
        p.setBrush(kPanelGrey);
    } else {
        QLinearGradient g(0, 0, 0, h);
        g.setColorAt(0.0, QColor(250, 251, 253));
        g.setColorAt(1.0, QColor(226, 229, 235));
        p.setPen(QPen(QColor(170, 176, 188), 1.0));
        p.setBrush(g);
    }
    p.drawPath(shape);
    return image;
}

// The inner face of an element tab: the dark grey of the panels with a faint sheen.
QImage TabFace() {
    const int w = 81, h = 37;
    QImage image = NewImage(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath face;
    face.addRoundedRect(QRectF(0, 0, w + 8, h), 4.5, 4.5);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0.0, QColor(84, 84, 90));
    g.setColorAt(0.5, QColor(66, 66, 70));
    g.setColorAt(1.0, QColor(56, 56, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(face);
    p.setClipPath(face);
    p.setPen(QPen(QColor(110, 110, 118), 1.0));
    p.drawLine(QPointF(0, 0.5), QPointF(w, 0.5));
    return image;
}

// Result bars: a glossy rod that still looks right when stretched sideways.
QImage Bar(int w, int h, const QColor& light, const QColor& mid, const QColor& dark,
           const QColor& edge) {
    QImage image = NewImage(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0.0, light);
    g.setColorAt(0.42, mid);
    g.setColorAt(0.5, Mix(mid, dark, 0.25));
    g.setColorAt(1.0, dark);
    p.fillRect(Area(image), g);
    // Gloss on the upper half.
    QLinearGradient gloss(0, 0, 0, h * 0.5);
    gloss.setColorAt(0.0, QColor(255, 255, 255, 150));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 20));
    p.fillRect(QRectF(0, h * 0.08, w, h * 0.4), gloss);
    p.setPen(edge);
    p.setBrush(Qt::NoBrush);
    p.drawRect(Area(image).adjusted(0, 0, -1, -1));
    return image;
}

// Untested section: a pale rod with fine diagonal hatching.
QImage WhiteBar() {
    const int w = 192, h = 32;
    QImage image = Bar(w, h, QColor(255, 255, 255), QColor(240, 242, 246), QColor(206, 210, 218),
                       QColor(160, 166, 178));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(Area(image).adjusted(1, 1, -1, -1));
    p.setPen(QPen(QColor(150, 160, 180, 45), 2.0));
    for (int x = -h; x < w + h; x += 8) p.drawLine(QPointF(x, h), QPointF(x + h, 0));
    return image;
}

// The information window: a night-blue ground with a recess for the white pages and the
// menu of pages on the left.
QImage InfoBackground() {
    const int w = 530, h = 398;
    QImage image = NewImage(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    Sky(p, QRectF(0, 0, w, h), kNight, kNavy);
    Haze(p, QPointF(0, 343), 230, 140, QColor(40, 80, 200), 0.3);
    Stars(p, QRectF(0, 0, 140, 60), 18, 41, 0.5);

    // A panel of darker glass behind the page menu, as on the main menu.
    const QRectF menu(2.5, 56.5, 132, 266);
    QPainterPath panel;
    panel.addRoundedRect(menu, 8, 8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(2, 4, 14, 200));
    p.drawPath(panel);
    QLinearGradient edge(menu.topLeft(), menu.bottomRight());
    edge.setColorAt(0.0, WithAlpha(kAccent, 0.7));
    edge.setColorAt(0.5, WithAlpha(kAccent, 0.2));
    edge.setColorAt(1.0, WithAlpha(kAccent, 0.5));
    p.setPen(QPen(QBrush(edge), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(panel);
    QLinearGradient divider(QPointF(menu.left() + 10, 0), QPointF(menu.right() - 10, 0));
    divider.setColorAt(0.0, WithAlpha(kAccent, 0.0));
    divider.setColorAt(0.5, WithAlpha(kAccent, 0.5));
    divider.setColorAt(1.0, WithAlpha(kAccent, 0.0));
    p.fillRect(QRectF(menu.left() + 10, 280, menu.width() - 20, 1), divider);

    // Underline for the "Information" title.
    QLinearGradient line(QPointF(16, 0), QPointF(132, 0));
    line.setColorAt(0.0, WithAlpha(kAccent, 0.9));
    line.setColorAt(1.0, WithAlpha(kAccent, 0.0));
    p.fillRect(QRectF(16, 47, 116, 1.5), line);

    // The recess the pages sit in (viewport at 142,10, 377 x 313).
    const QRectF view(142, 10, 377, 313);
    Glow(p, 5, 0.8, [&](QPainter& q) {
        q.setPen(Qt::NoPen);
        q.setBrush(QColor(60, 110, 255));
        q.drawRect(view.adjusted(-2, -2, 2, 2));
    });
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(view.adjusted(-2, -2, 2, 2), QColor(8, 14, 34));
    p.setPen(QColor(110, 150, 255));
    p.drawRect(view.adjusted(-2, -2, 1, 1).toRect());
    p.fillRect(view, QColor(8, 14, 34));
    MorseLine(p, "QUILLET", QPointF(16, 332), 2, WithAlpha(kAccent, 0.6));
    return image;
}

// The program's icon: the mast and its waves on a rounded night-blue tile, drawn on a grid of
// 64 units at any size. Below 64 pixels the lines are drawn bolder so that the mast still shows.
QImage Icon(int size = 64) {
    const double k = size / 64.0;
    const double bold = std::max(1.0, std::sqrt(1.0 / k));
    QImage image = NewImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(k, k);
    const int s = 64;
    QPainterPath tile;
    tile.addRoundedRect(QRectF(1, 1, s - 2, s - 2), 12, 12);
    QLinearGradient g(0, 0, 0, s);
    g.setColorAt(0.0, QColor(18, 34, 84));
    g.setColorAt(1.0, QColor(4, 8, 24));
    p.setPen(QPen(QColor(90, 135, 255), 1.5 * bold));
    p.setBrush(g);
    p.drawPath(tile);
    p.setClipPath(tile);
    const Mast mast{QPointF(32, 58), 32, 11, 3, 4, bold};
    Waves(p, mast.Beacon(), 7, 6, 3, 80, 2.0 * bold, 0.95);
    DrawMast(p, mast, 14, 50, 60);
    return image;
}

// The icon sizes of the desktop's icon theme.
constexpr int kThemeIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// Draws every picture into `dir`; with `sharp`, at twice the size as
// "name@2x.png" (the theme icons are drawn once, at their own sizes).
bool DrawAll(const QDir& dir, bool sharp) {
    const auto Save = [&](const QImage& image, const QDir& to, const char* name,
                          bool keepAlpha = false) {
        QByteArray file(name);
        if (sharp) file.replace(".png", "@2x.png");
        return SavePng(image, to, file.constData(), keepAlpha);
    };
    bool ok = true;
    ok &= Save(Splash(), dir, "splash.png");
    ok &= Save(MainMenuBackground(), dir, "mainmenu.png");
    ok &= Save(Icon(), dir, "icon.png", true);
    for (int size :
         sharp ? std::vector<int>{}
               : std::vector<int>(std::begin(kThemeIconSizes), std::end(kThemeIconSizes))) {
        const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        if (!dir.mkpath(folder)) {
            std::fprintf(stderr, "artgen: cannot create %s\n", qPrintable(dir.filePath(folder)));
            return false;
        }
        const QByteArray file = (folder + QStringLiteral("/quillet.png")).toLatin1();
        ok &= Save(Icon(size), dir, file.constData(), true);
    }

    // Test screen.
    const struct {
        const char* name;
        int w;
        const char* caption;
        IconFn icon;
    } testButtons[] = {{"exit", 50, "EXIT", ExitIcon},
                       {"info", 80, "INFO", InfoIcon},
                       {"skip", 130, "SKIP QUESTION", SkipIcon}};
    const struct {
        Look look;
        const char* suffix;
    } looks[] = {{Look::Normal, "normal"}, {Look::Rolled, "rolled"}, {Look::Clicked, "clicked"}};
    for (const auto& b : testButtons)
        for (const auto& l : looks) {
            const QByteArray name = QByteArray("btn_") + b.name + "_" + l.suffix + ".png";
            ok &= Save(IconButton(b.w, 50, QString::fromLatin1(b.caption), l.look, b.icon), dir,
                       name.constData());
        }
    ok &= Save(TestStatusStrip(), dir, "test_statusbar.png");
    ok &= Save(TestHeader(), dir, "test_header.png");

    // Options and results screens.
    const struct {
        const char* name;
        const char* caption;
    } textButtons[] = {{"back", "BACK"}, {"addall", "ADD ALL"}, {"clearall", "CLEAR ALL"}};
    for (const auto& b : textButtons)
        for (const auto& l : looks) {
            const QByteArray name = QByteArray("btn_") + b.name + "_" + l.suffix + ".png";
            ok &= Save(TextButton(QString::fromLatin1(b.caption), l.look), dir, name.constData());
        }
    const struct {
        const char* name;
        const char* caption;
    } pages[] = {{"topics", "TEST TOPICS"}, {"options", "TEST OPTIONS"}, {"settings", "SETTINGS"}};
    for (const auto& page : pages) {
        const QString caption = QString::fromLatin1(page.caption);
        ok &= Save(PageButton(caption, false), dir,
                   (QByteArray("page_") + page.name + "_unselected.png").constData());
        ok &= Save(PageButton(caption, true), dir,
                   (QByteArray("page_") + page.name + "_selected.png").constData());
    }
    ok &= Save(Band(577, 46, true), dir, "options_band.png");
    ok &= Save(TabFrame(false), dir, "tab_frame.png");
    ok &= Save(TabFrame(true), dir, "tab_frame_chosen.png");
    ok &= Save(TabFace(), dir, "tab_face.png", true);

    ok &= Save(Bar(237, 56, QColor(150, 200, 255), QColor(40, 110, 230), QColor(10, 40, 130),
                   QColor(8, 30, 100)),
               dir, "bar_blue.png");
    ok &= Save(Bar(192, 32, QColor(255, 160, 150), QColor(220, 40, 30), QColor(120, 10, 10),
                   QColor(90, 8, 8)),
               dir, "bar_red.png");
    ok &= Save(WhiteBar(), dir, "bar_white.png");
    ok &= Save(Band(664, 52, true), dir, "results_band_top.png");
    ok &= Save(Band(664, 52, false), dir, "results_band_bottom.png");

    // Message box and information window.
    ok &= Save(InfoBackground(), dir, "info.png");
    return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen OUTDIR\n");
        return 2;
    }
    for (const char* family : {"Liberation Sans", "Liberation Serif"}) {
        if (!QFontDatabase::families().contains(QString::fromLatin1(family))) {
            std::fprintf(stderr, "artgen: the font %s is missing (fonts-liberation2)\n", family);
            return 1;
        }
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "artgen: cannot create %s\n", argv[1]);
        return 1;
    }
    // Every picture at its layout size, then at twice that as "name@2x.png".
    bool ok = DrawAll(dir, false);
    gScale = 2;
    ok &= DrawAll(dir, true);
    return ok ? 0 : 1;
}
