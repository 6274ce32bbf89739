#include "Catalogue.h"

#include <cmath>
#include <utility>

namespace samples {

const wchar_t* const kRevision = L"A";

const char* familyFolder(Family family) {
    switch (family) {
    case Family::SafeCondition: return "Safe condition";
    case Family::FireEquipment: return "Fire equipment";
    case Family::Mandatory: return "Mandatory";
    case Family::Prohibition: return "Prohibition";
    case Family::Warning: return "Warning";
    }
    return "";
}

namespace {

// ---- Shared figures ----------------------------------------------------------------------

/// A standing person: head, body, arms and legs, height about 4.6 from the feet.
void person(Canvas& c, P feet, double scale, int color) {
    auto at = [&](double x, double y) { return P{feet.x + x * scale, feet.y + y * scale}; };
    double w = 0.45 * scale;
    c.fillCircle(at(0, 4.1), 0.45 * scale, color);
    c.stroke({at(0, 3.4), at(0, 1.7)}, w * 1.4, color);
    c.stroke({at(-0.9, 1.8), at(0, 3.2), at(0.9, 1.8)}, w, color);
    c.stroke({at(-0.5, 0), at(0, 1.7), at(0.5, 0)}, w, color);
}

/// A running person heading left, as on exit signs.
void runner(Canvas& c, int color) {
    c.fillCircle({3.3, 7.7}, 0.62, color);
    c.stroke({{3.0, 7.0}, {2.5, 5.0}}, 0.8, color);
    c.stroke({{3.1, 6.6}, {4.1, 5.9}, {4.8, 6.3}}, 0.45, color);
    c.stroke({{2.9, 6.6}, {1.9, 6.2}, {1.3, 5.4}}, 0.45, color);
    c.stroke({{2.5, 5.0}, {3.6, 3.9}, {3.3, 2.5}}, 0.5, color);
    c.stroke({{2.5, 5.0}, {1.6, 3.9}, {0.7, 3.7}}, 0.5, color);
}

/// An arrow along the bottom, pointing left.
void arrowLeft(Canvas& c, double y, int color) {
    c.stroke({{2.4, y}, {8.8, y}}, 0.7, color);
    c.fill({{1.0, y}, {2.6, y + 1.0}, {2.6, y - 1.0}}, color);
}

/// A stroke from `from` with an arrowhead at `to`.
void arrow(Canvas& c, P from, P to, double width, double head, int color) {
    double dx = to.x - from.x, dy = to.y - from.y, length = std::hypot(dx, dy);
    dx /= length;
    dy /= length;
    P base{to.x - dx * head, to.y - dy * head};
    c.stroke({from, base}, width, color);
    c.fill({to, {base.x - dy * head * 0.6, base.y + dx * head * 0.6}, {base.x + dy * head * 0.6, base.y - dx * head * 0.6}},
           color);
}

void cross(Canvas& c, P centre, double arm, double thickness, int color) {
    c.fillRect({centre.x - thickness / 2, centre.y - arm}, {centre.x + thickness / 2, centre.y + arm}, color);
    c.fillRect({centre.x - arm, centre.y - thickness / 2}, {centre.x + arm, centre.y + thickness / 2}, color);
}

/// A telephone handset.
void handset(Canvas& c, P at, double s, int color) {
    c.stroke({{at.x, at.y}, {at.x + 2.6 * s, at.y + 2.6 * s}}, 0.7 * s, color, false, {-0.6});
    c.fillCircle({at.x, at.y}, 0.85 * s, color);
    c.fillCircle({at.x + 2.6 * s, at.y + 2.6 * s}, 0.85 * s, color);
}

/// A flame.
void flame(Canvas& c, P base, double s, int color) {
    c.fill({{base.x - 1.2 * s, base.y}, {base.x + 1.2 * s, base.y}, {base.x, base.y + 3.2 * s}}, color,
           {0.6, 0.35, 0.35});
}

/// A fire extinguisher.
void extinguisher(Canvas& c, P base, double s, int color) {
    c.fill({{base.x - 0.9 * s, base.y}, {base.x + 0.9 * s, base.y}, {base.x + 0.9 * s, base.y + 3.6 * s},
            {base.x - 0.9 * s, base.y + 3.6 * s}},
           color, {0, 0, 1.0, 0});
    c.stroke({{base.x, base.y + 4.4 * s}, {base.x + 0.8 * s, base.y + 4.6 * s}, {base.x + 1.5 * s, base.y + 3.0 * s}},
             0.3 * s, color);
    c.fillRect({base.x - 0.25 * s, base.y + 4.0 * s}, {base.x + 0.25 * s, base.y + 4.7 * s}, color);
}

/// A cigarette with its smoke.
void cigarette(Canvas& c, int color) {
    c.fillRect({2.3, 4.4}, {6.6, 5.2}, color);
    c.fillRect({6.8, 4.4}, {7.5, 5.2}, color);
    c.stroke({{7.2, 5.6}, {7.0, 6.4}, {7.4, 7.2}}, 0.2, color, false, {0.4, -0.4});
}

// ---- Family backgrounds ------------------------------------------------------------------

void squareBackground(Canvas& c, int color) {
    c.fillRect({0, 0}, {10, 10}, color);
    c.stroke({{0.25, 0.25}, {9.75, 0.25}, {9.75, 9.75}, {0.25, 9.75}}, 0.1, kWhite, true);
}

void mandatoryBackground(Canvas& c) { c.fillCircle({5, 5}, 4.9, kBlue); }

void prohibitionRing(Canvas& c) {
    c.fillCircle({5, 5}, 4.9, kWhite);
    c.fillRing({5, 5}, 4.9, 4.05, kRed);
}

void prohibitionBar(Canvas& c) { c.stroke({{2.13, 7.87}, {7.87, 2.13}}, 0.85, kRed); }

void warningBackground(Canvas& c) {
    c.fill({{0.0, 0.67}, {10.0, 0.67}, {5.0, 9.33}}, kWhite);
    c.fill({{0.45, 0.93}, {9.55, 0.93}, {5.0, 8.81}}, kBlack);
    c.fill({{1.25, 1.4}, {8.75, 1.4}, {5.0, 7.9}}, kYellow);
}

// ---- Safe condition ----------------------------------------------------------------------

void exitLeft(Canvas& c) {
    c.stroke({{5.6, 2.3}, {9.0, 2.3}, {9.0, 8.8}, {5.6, 8.8}}, 0.35, kWhite, true);
    runner(c, kWhite);
    c.stroke({{6.0, 2.6}, {6.0, 8.5}}, 0.3, kWhite);
    arrowLeft(c, 1.3, kWhite);
}

void exitRight(Canvas& c) {
    c.mirror(true);
    exitLeft(c);
    c.mirror(false);
}

void firstAid(Canvas& c) { cross(c, {5, 5}, 3.2, 2.0, kWhite); }

void emergencyTelephone(Canvas& c) {
    handset(c, {2.0, 2.4}, 1.3, kWhite);
    cross(c, {7.3, 7.3}, 1.3, 0.8, kWhite);
}

void assemblyPoint(Canvas& c) {
    for (auto [from, to] : {std::pair{P{1.0, 9.0}, P{3.0, 7.0}}, std::pair{P{9.0, 9.0}, P{7.0, 7.0}},
                            std::pair{P{1.0, 1.0}, P{3.0, 3.0}}, std::pair{P{9.0, 1.0}, P{7.0, 3.0}}})
        arrow(c, from, to, 0.45, 1.0, kWhite);
    person(c, {4.0, 3.4}, 0.75, kWhite);
    person(c, {5.0, 3.4}, 0.85, kWhite);
    person(c, {6.0, 3.4}, 0.75, kWhite);
}

void doctor(Canvas& c) {
    cross(c, {6.8, 6.8}, 1.6, 1.0, kWhite);
    person(c, {3.3, 1.5}, 1.3, kWhite);
}

void defibrillator(Canvas& c) {
    c.fillCircle({3.6, 6.0}, 1.65, kWhite);  // a heart: two lobes and a point
    c.fillCircle({6.4, 6.0}, 1.65, kWhite);
    c.fill({{2.05, 5.45}, {7.95, 5.45}, {5.0, 1.9}}, kWhite);
    c.stroke({{3.2, 5.2}, {4.3, 5.2}, {5.0, 6.4}, {5.4, 3.8}, {6.0, 5.2}, {7.0, 5.2}}, 0.35, kGreen);
    cross(c, {8.2, 8.4}, 0.9, 0.5, kWhite);
}

void eyewash(Canvas& c) {
    c.fill({{2.0, 4.0}, {8.0, 4.0}}, kWhite, {0.55, 0.55});
    c.fillCircle({5, 4}, 0.9, kGreen);
    for (double x : {3.5, 5.0, 6.5}) c.stroke({{x, 6.5}, {x, 8.4}}, 0.35, kWhite);
}

void safetyShower(Canvas& c) {
    c.fill({{3.6, 8.6}, {6.4, 8.6}, {5.0, 7.4}}, kWhite);
    for (double x : {4.2, 5.0, 5.8}) c.stroke({{x, 7.0}, {x, 6.0}}, 0.25, kWhite);
    person(c, {5.0, 0.8}, 1.0, kWhite);
}

void stretcher(Canvas& c) {
    c.fillRect({1.2, 4.2}, {8.8, 4.9}, kWhite);
    for (double x : {2.0, 8.0}) c.stroke({{x, 4.2}, {x, 3.2}}, 0.35, kWhite);
    cross(c, {5, 7.2}, 1.2, 0.7, kWhite);
}

void escapeLadder(Canvas& c) {
    c.stroke({{3.2, 1.0}, {3.2, 9.0}}, 0.4, kWhite);
    c.stroke({{6.8, 1.0}, {6.8, 9.0}}, 0.4, kWhite);
    for (double y = 2.0; y < 9.0; y += 1.4) c.stroke({{3.2, y}, {6.8, y}}, 0.3, kWhite);
}

void directionArrow(Canvas& c) {
    c.stroke({{2.0, 5.0}, {6.8, 5.0}}, 1.4, kWhite);
    c.fill({{8.6, 5.0}, {6.2, 7.4}, {6.2, 2.6}}, kWhite);
}

// ---- Fire equipment ----------------------------------------------------------------------

void fireExtinguisher(Canvas& c) {
    extinguisher(c, {4.0, 1.4}, 1.4, kWhite);
    flame(c, {8.0, 6.0}, 0.8, kWhite);
}

void fireHoseReel(Canvas& c) {
    c.fillRing({4.2, 5.0}, 3.0, 2.2, kWhite);
    c.fillRing({4.2, 5.0}, 1.4, 0.8, kWhite);
    c.stroke({{7.0, 5.0}, {8.6, 2.0}}, 0.5, kWhite);
    flame(c, {8.0, 6.4}, 0.7, kWhite);
}

void fireLadder(Canvas& c) {
    escapeLadder(c);
    flame(c, {8.4, 7.2}, 0.5, kWhite);
}

void firefightingEquipment(Canvas& c) {
    extinguisher(c, {2.6, 1.4}, 1.0, kWhite);
    c.fillRing({6.6, 4.0}, 2.2, 1.5, kWhite);
    flame(c, {7.6, 7.0}, 0.7, kWhite);
}

void fireAlarmCallPoint(Canvas& c) {
    c.stroke({{2.0, 2.0}, {8.0, 2.0}, {8.0, 8.0}, {2.0, 8.0}}, 0.4, kWhite, true);
    c.fillCircle({5.0, 5.0}, 1.4, kWhite);
    c.stroke({{3.0, 6.8}, {4.0, 6.0}}, 0.3, kWhite);
    flame(c, {7.0, 6.2}, 0.45, kWhite);
}

void fireTelephone(Canvas& c) {
    handset(c, {2.0, 2.4}, 1.3, kWhite);
    flame(c, {7.3, 6.0}, 0.8, kWhite);
}

// ---- Mandatory ---------------------------------------------------------------------------

void generalMandatory(Canvas& c) {
    c.stroke({{5, 4.2}, {5, 7.8}}, 1.0, kWhite);
    c.fillCircle({5, 2.9}, 0.6, kWhite);
}

void referToManual(Canvas& c) {
    c.fill({{2.2, 3.0}, {5.0, 3.6}, {5.0, 7.6}, {2.2, 7.0}}, kWhite);
    c.fill({{5.2, 3.6}, {7.8, 3.0}, {7.8, 7.0}, {5.2, 7.6}}, kWhite);
    c.fillCircle({5.1, 8.5}, 0.5, kWhite);
}

void earProtection(Canvas& c) {
    c.stroke({{3.0, 4.8}, {7.0, 4.8}}, 0.45, kWhite, false, {-1.0});
    c.fillRect({2.4, 3.0}, {3.6, 5.0}, kWhite);
    c.fillRect({6.4, 3.0}, {7.6, 5.0}, kWhite);
}

void eyeProtection(Canvas& c) {
    c.fillRing({3.5, 5.0}, 1.4, 0.9, kWhite);
    c.fillRing({6.5, 5.0}, 1.4, 0.9, kWhite);
    c.stroke({{4.9, 5.2}, {5.1, 5.2}}, 0.4, kWhite);
}

void safetyFootwear(Canvas& c) {
    c.fill({{3.0, 2.6}, {8.0, 2.6}, {8.0, 3.8}, {5.6, 4.6}, {5.0, 7.4}, {3.0, 7.4}}, kWhite);
}

void protectiveGloves(Canvas& c) {
    c.fill({{3.4, 2.2}, {6.4, 2.2}, {6.4, 5.6}, {3.4, 5.6}}, kWhite);
    for (double x : {3.7, 4.5, 5.3, 6.1}) c.stroke({{x, 5.4}, {x, 7.6}}, 0.55, kWhite);
    c.stroke({{3.4, 4.4}, {2.4, 5.8}}, 0.55, kWhite);
}

void headProtection(Canvas& c) {
    c.fill({{2.4, 4.4}, {7.6, 4.4}}, kWhite, {-1.0, 0});
    c.fillRect({1.8, 3.8}, {8.2, 4.4}, kWhite);
}

// ---- Prohibition -------------------------------------------------------------------------

void generalProhibition(Canvas&) {}

void noSmoking(Canvas& c) { cigarette(c, kBlack); }

void noOpenFlame(Canvas& c) {
    flame(c, {5.0, 4.2}, 1.0, kBlack);
    c.fillRect({4.6, 2.2}, {5.4, 4.2}, kBlack);
}

void noThoroughfare(Canvas& c) { person(c, {5.0, 2.2}, 1.2, kBlack); }

void notDrinkingWater(Canvas& c) {
    c.fill({{3.4, 6.6}, {6.6, 6.6}, {6.0, 3.0}, {4.0, 3.0}}, kBlack);
    c.stroke({{5.0, 8.4}, {5.0, 7.2}}, 0.3, kBlack);
}

void doNotTouch(Canvas& c) {
    c.fill({{3.6, 2.4}, {6.4, 2.4}, {6.4, 5.8}, {3.6, 5.8}}, kBlack);
    c.stroke({{5.6, 5.6}, {5.6, 8.0}}, 0.6, kBlack);
}

void noWaterExtinguishing(Canvas& c) {
    c.fill({{3.6, 4.6}, {5.4, 7.6}, {7.2, 4.6}}, kBlack, {0, 0, 0.9});
    c.fillRect({2.2, 2.6}, {7.8, 3.2}, kBlack);
}

void noMobilePhones(Canvas& c) {
    c.fillRect({3.9, 2.4}, {6.1, 7.6}, kBlack);
    c.fillRect({4.3, 3.6}, {5.7, 7.0}, kWhite);
}

void noLiftInFire(Canvas& c) {
    c.stroke({{3.2, 2.2}, {6.8, 2.2}, {6.8, 7.8}, {3.2, 7.8}}, 0.35, kBlack, true);
    c.fill({{4.2, 6.2}, {5.8, 6.2}, {5.0, 7.2}}, kBlack);
    flame(c, {5.0, 3.0}, 0.7, kBlack);
}

// ---- Warning -----------------------------------------------------------------------------

void generalWarning(Canvas& c) {
    c.stroke({{5, 4.4}, {5, 6.9}}, 0.8, kBlack);
    c.fillCircle({5, 3.3}, 0.45, kBlack);
}

void explosive(Canvas& c) {
    c.fillCircle({5.0, 3.6}, 1.2, kBlack);
    for (auto [a, b] : {std::pair{P{5.0, 5.2}, P{5.0, 6.6}}, std::pair{P{3.5, 4.6}, P{2.7, 5.6}},
                        std::pair{P{6.5, 4.6}, P{7.3, 5.6}}})
        c.stroke({a, b}, 0.35, kBlack);
}

void radioactive(Canvas& c) {
    c.fillCircle({5.0, 4.2}, 0.4, kBlack);
    for (double angle : {90.0, 210.0, 330.0}) {
        double k = 3.14159265358979 / 180.0;
        P a{5.0 + 0.8 * std::cos((angle - 30) * k), 4.2 + 0.8 * std::sin((angle - 30) * k)};
        P b{5.0 + 2.0 * std::cos((angle - 30) * k), 4.2 + 2.0 * std::sin((angle - 30) * k)};
        P d{5.0 + 2.0 * std::cos((angle + 30) * k), 4.2 + 2.0 * std::sin((angle + 30) * k)};
        P e{5.0 + 0.8 * std::cos((angle + 30) * k), 4.2 + 0.8 * std::sin((angle + 30) * k)};
        c.fill({a, b, d, e}, kBlack, {0, 0.27, 0, -0.27});
    }
}

void laserBeam(Canvas& c) {
    c.fillCircle({3.6, 4.0}, 0.6, kBlack);
    c.stroke({{4.4, 4.0}, {7.4, 4.0}}, 0.3, kBlack);
    for (double y : {4.8, 3.2}) c.stroke({{3.6, 4.0 + (y - 4.0) * 2.0}, {3.6, y}}, 0.2, kBlack);
}

void dropFall(Canvas& c) {
    person(c, {4.0, 4.0}, 0.6, kBlack);
    c.stroke({{2.4, 3.4}, {5.4, 3.4}, {5.4, 2.2}}, 0.35, kBlack);
}

void slipperySurface(Canvas& c) {
    person(c, {5.0, 2.6}, 0.75, kBlack);
    c.stroke({{2.6, 2.2}, {7.4, 2.2}}, 0.3, kBlack);
}

void electricity(Canvas& c) { c.fill({{5.6, 7.2}, {3.8, 4.6}, {5.2, 4.6}, {4.4, 2.2}, {6.4, 5.2}, {5.0, 5.2}}, kBlack); }

void flammable(Canvas& c) {
    flame(c, {5.0, 2.4}, 1.0, kBlack);
    c.fillRect({3.4, 2.0}, {6.6, 2.4}, kBlack);
}

void batteryCharging(Canvas& c) {
    c.stroke({{3.4, 2.4}, {6.6, 2.4}, {6.6, 5.6}, {3.4, 5.6}}, 0.3, kBlack, true);
    c.fillRect({4.4, 5.6}, {5.6, 6.1}, kBlack);
    c.stroke({{4.3, 4.0}, {5.7, 4.0}}, 0.3, kBlack);
}

void hotSurface(Canvas& c) {
    for (double x : {4.0, 5.0, 6.0}) c.stroke({{x, 3.4}, {x, 6.0}}, 0.3, kBlack, false, {0.3});
    c.stroke({{2.8, 2.6}, {7.2, 2.6}}, 0.45, kBlack);
}

void respiratoryProtection(Canvas& c) {
    c.fillCircle({5.0, 6.4}, 1.3, kWhite);
    c.fill({{3.6, 3.0}, {6.4, 3.0}, {6.0, 4.8}, {4.0, 4.8}}, kWhite);
}

}  // namespace

const std::vector<Sign>& catalogue() {
    using F = Family;
    static const std::vector<Sign> signs = {
        {L"E001", F::SafeCondition, L"Emergency exit (left hand)", exitLeft},
        {L"E002", F::SafeCondition, L"Emergency exit (right hand)", exitRight},
        {L"E003", F::SafeCondition, L"First aid", firstAid},
        {L"E004", F::SafeCondition, L"Emergency telephone", emergencyTelephone},
        {L"E005", F::SafeCondition, L"Direction arrow \u2013 90\u00b0", directionArrow, false},
        {L"E007", F::SafeCondition, L"Evacuation assembly point", assemblyPoint},
        {L"E009", F::SafeCondition, L"Doctor", doctor},
        {L"E010", F::SafeCondition, L"Automated external heart defibrillator", defibrillator},
        {L"E011", F::SafeCondition, L"Eyewash station", eyewash},
        {L"E012", F::SafeCondition, L"Safety shower", safetyShower},
        {L"E013", F::SafeCondition, L"Stretcher", stretcher},
        {L"E016", F::SafeCondition, L"Emergency escape ladder", escapeLadder},
        {L"F001", F::FireEquipment, L"Fire extinguisher", fireExtinguisher},
        {L"F002", F::FireEquipment, L"Fire hose reel", fireHoseReel},
        {L"F003", F::FireEquipment, L"Fire ladder", fireLadder},
        {L"F004", F::FireEquipment, L"Collection of firefighting equipment", firefightingEquipment},
        {L"F005", F::FireEquipment, L"Fire alarm call point", fireAlarmCallPoint},
        {L"F006", F::FireEquipment, L"Fire emergency telephone", fireTelephone},
        {L"M001", F::Mandatory, L"General mandatory action sign", generalMandatory},
        {L"M002", F::Mandatory, L"Refer to instruction manual/booklet", referToManual},
        {L"M003", F::Mandatory, L"Wear ear protection", earProtection},
        {L"M004", F::Mandatory, L"Wear eye protection", eyeProtection},
        {L"M008", F::Mandatory, L"Wear safety footwear", safetyFootwear},
        {L"M009", F::Mandatory, L"Wear protective gloves", protectiveGloves},
        {L"M014", F::Mandatory, L"Wear head protection", headProtection},
        {L"M017", F::Mandatory, L"Wear respiratory protection", respiratoryProtection, false},
        {L"P001", F::Prohibition, L"General prohibition sign", generalProhibition},
        {L"P002", F::Prohibition, L"No smoking", noSmoking},
        {L"P003", F::Prohibition, L"No open flame; fire, open ignition source and smoking prohibited", noOpenFlame},
        {L"P004", F::Prohibition, L"No thoroughfare", noThoroughfare},
        {L"P005", F::Prohibition, L"Not drinking water", notDrinkingWater},
        {L"P010", F::Prohibition, L"Do not touch", doNotTouch},
        {L"P011", F::Prohibition, L"Do not extinguish with water", noWaterExtinguishing},
        {L"P013", F::Prohibition, L"No activated mobile phones", noMobilePhones},
        {L"P020", F::Prohibition, L"Do not use lift in the event of fire", noLiftInFire},
        {L"W001", F::Warning, L"General warning sign", generalWarning},
        {L"W002", F::Warning, L"Explosive material", explosive},
        {L"W003", F::Warning, L"Radioactive material or ionizing radiation", radioactive},
        {L"W004", F::Warning, L"Laser beam", laserBeam},
        {L"W008", F::Warning, L"Drop (fall)", dropFall},
        {L"W011", F::Warning, L"Slippery surface", slipperySurface},
        {L"W012", F::Warning, L"Electricity", electricity},
        {L"W017", F::Warning, L"Hot surface", hotSurface, false},
        {L"W021", F::Warning, L"Flammable material", flammable},
        {L"W026", F::Warning, L"Battery charging", batteryCharging},
    };
    return signs;
}

void drawSign(Canvas& c, const Sign& sign) {
    switch (sign.family) {
    case Family::SafeCondition: squareBackground(c, kGreen); break;
    case Family::FireEquipment: squareBackground(c, kRed); break;
    case Family::Mandatory: mandatoryBackground(c); break;
    case Family::Prohibition: prohibitionRing(c); break;
    case Family::Warning: warningBackground(c); break;
    }
    sign.pictogram(c);
    if (sign.family == Family::Prohibition) prohibitionBar(c);
    c.attribute({0.35, 0.4}, 0.6, L"CODE", L"Sign code", sign.code, 8);
    c.attribute({0.35, 9.2}, 0.5, L"DESC", L"Description", sign.description, 1, 9.3);
    c.attribute({8.6, 0.4}, 0.5, L"REV", L"Revision", kRevision, 2 | 1);
}

}  // namespace samples
