// Drawing helpers over a drawing's model space: filled shapes, strokes and texts in ACI
// colours, for the generated sample drawings.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "zcdbheaders.h"

namespace samples {

/// ACI colours the signs use.
enum Aci : int { kRed = 1, kYellow = 2, kGreen = 3, kBlue = 5, kBlack = 250, kGrey = 8, kWhite = 255 };

struct P {
    double x, y;
};

/// Appends entities to model space of its own new metric drawing; the drawing is saved
/// with save (a stored thumbnail) and drawn with picture.
class Canvas {
public:
    Canvas();
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    ZcDbDatabase& db() { return *db_; }
    /// Draws mirrored about the vertical line x = axis from now on (no axis: as given).
    void mirror(bool on, double axis = 5.0) {
        mirrored_ = on;
        axis_ = axis;
    }
    /// Makes a layer current for what follows (created with the colour when missing).
    void layer(const wchar_t* name, int color);

    /// A filled polygon, or with bulges a filled shape of line and arc segments.
    void fill(std::initializer_list<P> points, int color, std::vector<double> bulges = {});
    void fillCircle(P centre, double radius, int color);
    /// A filled ring between two circles.
    void fillRing(P centre, double outer, double inner, int color);
    void fillRect(P min, P max, int color);
    /// A stroke of the given width through the points (closed when asked).
    void stroke(std::initializer_list<P> points, double width, int color, bool closed = false,
                std::vector<double> bulges = {});
    void line(P a, P b, int color);
    void arc(P centre, double radius, double startDegrees, double endDegrees, int color);
    /// A single-line text; centred on the point when centred is true.
    void text(P at, double height, const wchar_t* value, int color, bool centred = false);
    /// An attribute definition (flags: 1 invisible, 2 constant, 8 preset). With a width the
    /// value is aligned between at and at + width (a long value gets smaller, not wider).
    void attribute(P at, double height, const wchar_t* tag, const wchar_t* prompt, const wchar_t* value, int flags,
                   double width = 0);

    /// Saves the drawing (DXF with a stored thumbnail) to a Unix path; false on failure.
    bool save(const std::string& path);
    /// Renders model space into a square PNG of the given side; false on failure.
    bool picture(const std::string& path, int side);
    /// Renders model space as a one-page PDF of the given size in points; false on failure.
    bool document(const std::string& path, int width, int height);

private:
    void append(ZcDbEntity* entity, int color);
    P at(P p) const { return mirrored_ ? P{2 * axis_ - p.x, p.y} : p; }
    double bulge(double b) const { return mirrored_ ? -b : b; }

    std::unique_ptr<ZcDbDatabase> db_;
    ZcDbObjectId layer_;
    bool mirrored_ = false;
    double axis_ = 5.0;
};

}  // namespace samples
