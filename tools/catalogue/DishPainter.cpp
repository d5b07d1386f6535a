#include "tools/catalogue/DishPainter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

struct TRgb { int R, G, B; };

bool ParseColour(const std::string& S, TRgb& C)
{
    unsigned V = 0;
    if (S.size() != 7 || S[0] != '#' || std::sscanf(S.c_str() + 1, "%6x", &V) != 1)
        return false;
    C = {int(V >> 16) & 255, int(V >> 8) & 255, int(V) & 255};
    return true;
}

std::string Hex(const TRgb& C)
{
    char Buf[8];
    std::snprintf(Buf, sizeof Buf, "#%02x%02x%02x", C.R, C.G, C.B);
    return Buf;
}

// Mixes the colour towards black (Amount < 0) or white (Amount > 0).
std::string Shade(const std::string& Colour, double Amount)
{
    TRgb C{128, 128, 128};
    ParseColour(Colour, C);
    auto Mix = [Amount](int V) {
        double T = Amount < 0 ? V * (1 + Amount) : V + (255 - V) * Amount;
        return int(std::lround(std::fmax(0, std::fmin(255, T))));
    };
    return Hex({Mix(C.R), Mix(C.G), Mix(C.B)});
}

std::string Num(double V)
{
    char Buf[32];
    std::snprintf(Buf, sizeof Buf, "%.1f", V);
    return Buf;
}

std::string Pt(double X, double Y) { return Num(X) + "," + Num(Y); }

std::string Ellipse(double X, double Y, double Rx, double Ry)
{
    return "ellipse " + Pt(X, Y) + " " + Pt(Rx, Ry) + " 0,360\n";
}

const double Pi = 3.14159265358979;

} // namespace

TDishPainter::TDishPainter(const std::string& Seed)
{
    FState = 2166136261u;
    for (unsigned char c : Seed)
        FState = (FState ^ c) * 16777619u;
    if (FState == 0)
        FState = 1;
}

double TDishPainter::Random()
{
    FState ^= FState << 13;
    FState ^= FState >> 17;
    FState ^= FState << 5;
    return (FState & 0xFFFFFF) / double(0x1000000);
}

void TDishPainter::PointIn(const TArea& A, double Margin, double& X, double& Y)
{
    double Angle = Between(0, 2 * Pi), R = std::sqrt(Random());
    double Rx = std::fmax(4, A.Rx - Margin), Ry = std::fmax(3, A.Ry - Margin * 0.6);
    X = A.X + R * Rx * std::cos(Angle);
    Y = A.Y + R * Ry * std::sin(Angle);
}

void TDishPainter::Table(const std::string& Kind)
{
    struct { const char* Name; const char* Top; const char* Bottom; } Tables[] = {
        {"wood", "#9a6a44", "#5e3b24"}, {"slate", "#4a525c", "#23272d"},
        {"red", "#a8332c", "#6a1c18"},  {"linen", "#ddd2bd", "#b4a68a"},
        {"green", "#5a7a55", "#2f4530"}, {"blue", "#46607e", "#26364a"},
    };
    auto* T = &Tables[0];
    for (auto& Candidate : Tables)
        if (Kind == Candidate.Name)
            T = &Candidate;
    FOut += "push defs\npush gradient 'table' linear 0,0 0,240\n";
    FOut += std::string("stop-color '") + T->Top + "' 0\nstop-color '" + T->Bottom + "' 1\n";
    FOut += "pop gradient\npop defs\n";
    FOut += "push graphic-context\nfill 'url(#table)'\nrectangle 0,0 320,240\npop graphic-context\n";
    // A few faint stripes give the table some grain or weave.
    FOut += "stroke '#ffffff' stroke-opacity 0.06 stroke-width 2 fill none\n";
    for (int i = 0; i < 7; ++i) {
        double Y = Between(5, 235);
        FOut += "path 'M 0," + Num(Y) + " Q 160," + Num(Y + Between(-14, 14)) + " 320," + Num(Y + Between(-8, 8)) + "'\n";
    }
    FOut += "stroke none stroke-opacity 1\n";
}

void TDishPainter::Vessel(const std::string& Kind, const std::string& Rim, const std::string& Band)
{
    const double X = 160, Y = 125;
    FOut += "fill '#000000' fill-opacity 0.32 stroke none\n" + Ellipse(X + 7, Y + 12, 140, 86) + "fill-opacity 1\n";
    std::string Edge = Shade(Rim, -0.25);
    if (Kind == "bowl") {
        FOut += "fill '" + Shade(Rim, -0.12) + "' stroke '" + Edge + "' stroke-width 1\n" + Ellipse(X, Y + 10, 122, 80);
        FOut += "fill '" + Rim + "'\n" + Ellipse(X, Y, 120, 72);
        FFood = {X, Y + 2, 100, 58};
    } else if (Kind == "oval") {
        FOut += "fill '" + Rim + "' stroke '" + Edge + "' stroke-width 1\n" + Ellipse(X, Y, 150, 84);
        FFood = {X, Y, 124, 62};
    } else if (Kind == "claypot") {
        FOut += "fill '#4a2a1a' stroke '#2a160c' stroke-width 1\n" + Ellipse(X - 128, Y, 16, 12) + Ellipse(X + 128, Y, 16, 12);
        FOut += "fill '#5e3824'\n" + Ellipse(X, Y + 8, 124, 80) + "fill '#7a4c32'\n" + Ellipse(X, Y, 118, 72);
        FFood = {X, Y + 2, 100, 58};
    } else if (Kind == "steamer") {
        FOut += "fill '#c99d5e' stroke '#80602e' stroke-width 1.5\n" + Ellipse(X, Y, 134, 84);
        FOut += "fill none stroke '#9a7640' stroke-width 1\n";
        for (int i = 0; i < 3; ++i)
            FOut += Ellipse(X, Y, 128 - i * 6, 80 - i * 4);
        FOut += "fill '#efe3c2' stroke '#b59a66'\n" + Ellipse(X, Y, 108, 64);
        FFood = {X, Y, 98, 58};
    } else if (Kind == "board") {
        FOut += "fill '#d8ad72' stroke '#9c7442' stroke-width 1.5\nroundrectangle 28,40 292,212 18,18\n";
        FOut += "fill none stroke '#b98c52' stroke-width 1\n";
        for (int i = 0; i < 6; ++i) {
            double Yg = 55 + i * 26 + Between(-5, 5);
            FOut += "path 'M 40," + Num(Yg) + " Q 160," + Num(Yg + Between(-8, 8)) + " 280," + Num(Yg) + "'\n";
        }
        FFood = {X, Y + 2, 112, 62};
    } else {
        FOut += "fill '" + Rim + "' stroke '" + Edge + "' stroke-width 1\n" + Ellipse(X, Y, 136, 82);
        FOut += "fill '" + Shade(Rim, -0.05) + "' stroke '" + Shade(Rim, -0.12) + "'\n" + Ellipse(X, Y + 2, 106, 62);
        FFood = {X, Y + 2, 96, 56};
    }
    if (!Band.empty() && Kind != "board" && Kind != "steamer") {
        FOut += "fill none stroke '" + Band + "' stroke-width 3\n";
        FOut += Kind == "oval" ? Ellipse(X, Y, 140, 76) : Ellipse(X, Y, 128, 77);
    }
    FOut += "stroke none\n";
}

void TDishPainter::Chopsticks()
{
    double X = Between(286, 300);
    FOut += "stroke '#3a2414' stroke-width 4 stroke-linecap round\n";
    FOut += "line " + Pt(X, 40) + " " + Pt(X - 6, 225) + "\n";
    FOut += "line " + Pt(X + 9, 42) + " " + Pt(X + 5, 226) + "\n";
    FOut += "stroke none stroke-linecap butt\n";
}

void TDishPainter::Sauce(const std::string& Colour)
{
    const TArea& A = FFood;
    FOut += "fill '" + Colour + "' stroke '" + Shade(Colour, -0.2) + "' stroke-width 1\n" + Ellipse(A.X, A.Y, A.Rx, A.Ry);
    FOut += "fill '" + Shade(Colour, 0.35) + "' fill-opacity 0.35 stroke none\n" +
                    Ellipse(A.X - A.Rx * 0.3, A.Y - A.Ry * 0.35, A.Rx * 0.35, A.Ry * 0.18) + "fill-opacity 1\n";
}

void TDishPainter::Mound(const std::string& Colour, double Size)
{
    const TArea& A = FFood;
    double Rx = std::fmin(A.Rx, Size), Ry = std::fmin(A.Ry, Size * 0.62);
    FOut += "fill '" + Colour + "' stroke '" + Shade(Colour, -0.22) + "' stroke-width 1\n" + Ellipse(A.X, A.Y, Rx, Ry);
    FOut += "fill '" + Shade(Colour, 0.3) + "' stroke none\n" + Ellipse(A.X - Rx * 0.25, A.Y - Ry * 0.3, Rx * 0.45, Ry * 0.32);
}

void TDishPainter::Fish(const std::string& Colour)
{
    const TArea& A = FFood;
    std::string Dark = Shade(Colour, -0.3);
    double L = A.Rx * 0.78, H = A.Ry * 0.62, X = A.X - 8, Y = A.Y;
    FOut += "fill '" + Dark + "' stroke '" + Shade(Colour, -0.45) + "' stroke-width 1\n";
    FOut += "polygon " + Pt(X + L - 10, Y) + " " + Pt(X + L + 34, Y - H * 0.9) + " " + Pt(X + L + 26, Y) + " " +
                    Pt(X + L + 34, Y + H * 0.9) + "\n";
    FOut += "fill '" + Colour + "'\n" + Ellipse(X, Y, L, H);
    FOut += "fill '" + Shade(Colour, 0.3) + "' stroke none\n" + Ellipse(X - L * 0.1, Y - H * 0.45, L * 0.6, H * 0.22);
    FOut += "fill none stroke '" + Dark + "' stroke-width 2\n";
    for (int i = 0; i < 4; ++i) {
        double Sx = X - L * 0.3 + i * L * 0.28;
        FOut += "path 'M " + Pt(Sx, Y - H * 0.7) + " Q " + Pt(Sx - 10, Y) + " " + Pt(Sx, Y + H * 0.7) + "'\n";
    }
    FOut += "path 'M " + Pt(X - L * 0.62, Y - H * 0.8) + " Q " + Pt(X - L * 0.75, Y) + " " + Pt(X - L * 0.62, Y + H * 0.8) + "'\n";
    FOut += "fill '#f4f4f0' stroke '#303030' stroke-width 1\n" + Ellipse(X - L * 0.8, Y - H * 0.25, 5, 5);
    FOut += "fill '#181818' stroke none\n" + Ellipse(X - L * 0.8, Y - H * 0.25, 2.2, 2.2);
}

void TDishPainter::Pie(const std::string& Colour, double Size, int Pieces)
{
    const TArea& A = FFood;
    double Rx = std::fmin(A.Rx, Size), Ry = std::fmin(A.Ry, Size * 0.62);
    for (int k = 0; k < Pieces; ++k) {
        double A0 = k * 2 * Pi / Pieces, A1 = (k + 1) * 2 * Pi / Pieces, Mid = (A0 + A1) / 2;
        double Ox = A.X + 4 * std::cos(Mid), Oy = A.Y + 2.5 * std::sin(Mid);
        FOut += "fill '" + Colour + "' stroke '" + Shade(Colour, -0.3) + "' stroke-width 1\n";
        FOut += "path 'M " + Pt(Ox, Oy) + " L " + Pt(Ox + Rx * std::cos(A0), Oy + Ry * std::sin(A0)) + " A " + Pt(Rx, Ry) +
                " 0 0,1 " + Pt(Ox + Rx * std::cos(A1), Oy + Ry * std::sin(A1)) + " Z'\n";
        // Browned spots where the pan touched it.
        FOut += "fill '" + Shade(Colour, -0.25) + "' stroke none\n";
        for (int Spot = 0; Spot < 5; ++Spot) {
            double T = Between(A0 + 0.15, A1 - 0.15), R = Between(0.3, 0.85);
            FOut += Ellipse(Ox + R * Rx * std::cos(T), Oy + R * Ry * std::sin(T), Between(2, 5), Between(1.5, 3));
        }
    }
    FOut += "fill '" + Shade(Colour, 0.35) + "' fill-opacity 0.4\n" +
            Ellipse(A.X - Rx * 0.3, A.Y - Ry * 0.35, Rx * 0.35, Ry * 0.2) + "fill-opacity 1\n";
}

void TDishPainter::Steam()
{
    FOut += "fill none stroke '#ffffff' stroke-opacity 0.55 stroke-width 4 stroke-linecap round\n";
    for (int i = 0; i < 3; ++i) {
        double X = 120 + i * 40 + Between(-6, 6), Y = 70 + Between(-6, 6);
        FOut += "path 'M " + Pt(X, Y) + " C " + Pt(X - 14, Y - 16) + " " + Pt(X + 14, Y - 30) + " " + Pt(X, Y - 48) + "'\n";
    }
    FOut += "stroke-opacity 1 stroke-linecap butt stroke none\n";
}

void TDishPainter::Piece(const std::string& Shape, const std::string& C, double S)
{
    std::string Dark = Shade(C, -0.28), Light = Shade(C, 0.35);
    std::string Fill = "fill '" + C + "' stroke '" + Dark + "' stroke-width 1\n";
    if (Shape == "cubes") {
        FOut += Fill + "roundrectangle " + Pt(-S, -S) + " " + Pt(S, S) + " " + Pt(S / 4, S / 4) + "\n";
        FOut += "fill '" + Light + "' stroke none\nroundrectangle " + Pt(-S * 0.7, -S * 0.75) + " " + Pt(S * 0.2, -S * 0.3) +
                        " 1,1\n";
    } else if (Shape == "slices") {
        FOut += Fill + Ellipse(0, 0, S, S * 0.58) + "fill '" + Light + "' stroke none\n" + Ellipse(-S * 0.15, -S * 0.1, S * 0.55, S * 0.28);
    } else if (Shape == "strips") {
        FOut += Fill + "roundrectangle " + Pt(-S, -S * 0.2) + " " + Pt(S, S * 0.2) + " " + Pt(S * 0.15, S * 0.15) + "\n";
    } else if (Shape == "balls") {
        FOut += Fill + Ellipse(0, 0, S, S) + "fill '" + Light + "' stroke none\n" + Ellipse(-S * 0.35, -S * 0.35, S * 0.3, S * 0.25);
    } else if (Shape == "leaves") {
        FOut += Fill + "path 'M " + Pt(-S, 0) + " Q " + Pt(0, -S * 0.75) + " " + Pt(S, 0) + " Q " + Pt(0, S * 0.75) + " " +
                        Pt(-S, 0) + " Z'\n";
        FOut += "fill none stroke '" + Light + "'\nline " + Pt(-S * 0.8, 0) + " " + Pt(S * 0.8, 0) + "\n";
    } else if (Shape == "dots") {
        FOut += "fill '" + C + "' stroke none\n" + Ellipse(0, 0, S, S * 0.8);
    } else if (Shape == "rings") {
        FOut += "fill none stroke '" + C + "' stroke-width " + Num(std::fmax(1.2, S / 3)) + "\n" + Ellipse(0, 0, S, S * 0.8);
    } else if (Shape == "chunks") {
        FOut += Fill + "polygon";
        for (int i = 0; i < 7; ++i) {
            double A = i * 2 * Pi / 7, R = S * Between(0.7, 1.1);
            FOut += " " + Pt(R * std::cos(A), R * 0.8 * std::sin(A));
        }
        FOut += "\nfill '" + Light + "' stroke none\n" + Ellipse(-S * 0.2, -S * 0.25, S * 0.35, S * 0.2);
    } else if (Shape == "shrimps") {
        FOut += "fill none stroke '" + Dark + "' stroke-width " + Num(S * 0.75) + " stroke-linecap round\n";
        std::string Curl = "path 'M " + Pt(-S, -S * 0.2) + " C " + Pt(-S, S * 1.1) + " " + Pt(S, S * 1.1) + " " + Pt(S, -S * 0.3) + "'\n";
        FOut += Curl + "stroke '" + C + "' stroke-width " + Num(S * 0.55) + "\n" + Curl;
        FOut += "stroke '" + Light + "' stroke-width " + Num(S * 0.15) + "\n" + Curl + "stroke-linecap butt\n";
    } else if (Shape == "buns") {
        FOut += Fill + Ellipse(0, 0, S, S * 0.9) + "fill none stroke '" + Shade(C, -0.18) + "'\n";
        for (int i = 0; i < 8; ++i) {
            double A = i * Pi / 4;
            FOut += "path 'M " + Pt(S * 0.15 * std::cos(A), S * 0.15 * std::sin(A)) + " Q " +
                            Pt(S * 0.5 * std::cos(A + 0.4), S * 0.5 * std::sin(A + 0.4)) + " " +
                            Pt(S * 0.8 * std::cos(A + 0.2), S * 0.72 * std::sin(A + 0.2)) + "'\n";
        }
        FOut += "fill '" + Shade(C, -0.12) + "' stroke none\n" + Ellipse(0, 0, S * 0.14, S * 0.12);
    } else if (Shape == "dumplings") {
        FOut += Fill + "path 'M " + Pt(-S, S * 0.2) + " Q " + Pt(0, -S * 1.1) + " " + Pt(S, S * 0.2) + " Q " + Pt(0, S * 0.6) +
                        " " + Pt(-S, S * 0.2) + " Z'\n";
        FOut += "fill none stroke '" + Dark + "'\n";
        for (int i = -2; i <= 2; ++i)
            FOut += "line " + Pt(i * S * 0.3, -S * 0.25 - (2 - std::abs(i)) * S * 0.12) + " " + Pt(i * S * 0.33, S * 0.05) + "\n";
    } else if (Shape == "eggs") {
        FOut += "fill '#fbf8ef' stroke '#d8d0bc' stroke-width 1\n" + Ellipse(0, 0, S, S * 0.75);
        FOut += "fill '" + C + "' stroke '" + Dark + "'\n" + Ellipse(S * 0.1, 0, S * 0.42, S * 0.38);
    } else if (Shape == "rolls") {
        FOut += Fill + "roundrectangle " + Pt(-S, -S * 0.33) + " " + Pt(S, S * 0.33) + " " + Pt(S * 0.3, S * 0.3) + "\n";
        FOut += "fill none stroke '" + Dark + "'\n";
        for (int i = -1; i <= 1; ++i)
            FOut += "line " + Pt(i * S * 0.5 - S * 0.1, -S * 0.3) + " " + Pt(i * S * 0.5 + S * 0.1, S * 0.3) + "\n";
    } else if (Shape == "wedges") {
        FOut += Fill + "polygon " + Pt(-S, S * 0.6) + " " + Pt(S, S * 0.6) + " " + Pt(0, -S * 0.8) + "\n";
    } else if (Shape == "noodles") {
        FOut += "fill none stroke '" + Dark + "' stroke-width " + Num(S + 1) + " stroke-linecap round\n";
        std::string Line = "path 'M " + Pt(-S * 9, Between(-4, 4)) + " C " + Pt(-S * 3, Between(-S * 6, S * 6)) + " " +
                                              Pt(S * 3, Between(-S * 6, S * 6)) + " " + Pt(S * 9, Between(-4, 4)) + "'\n";
        FOut += Line + "stroke '" + C + "' stroke-width " + Num(S) + "\n" + Line + "stroke-linecap butt\n";
    }
    FOut += "stroke none\n";
}

bool TDishPainter::Pieces(const std::string& Shape, const std::string& Colour, int Count, double Size)
{
    static const char* const Shapes[] = {"cubes", "slices", "strips", "balls", "leaves", "dots", "rings", "chunks",
                                                                              "shrimps", "noodles", "buns", "dumplings", "eggs", "rolls", "wedges"};
    bool Known = false;
    for (const char* S : Shapes)
        Known = Known || Shape == S;
    if (!Known)
        return false;
    // Each piece takes the best of a few random places, the one farthest from the pieces
    // already laid, so the food spreads evenly instead of clumping.
    std::vector<std::pair<double, double>> Laid;
    for (int i = 0; i < Count; ++i) {
        double X = FFood.X, Y = FFood.Y, BestGap = -1;
        for (int Try = 0; Try < 12; ++Try) {
            double Cx, Cy;
            PointIn(FFood, Shape == "noodles" ? Size * 5 : Size, Cx, Cy);
            double Gap = 1e9;
            for (const auto& P : Laid)
                Gap = std::fmin(Gap, std::hypot(P.first - Cx, (P.second - Cy) * 1.5));
            if (Gap > BestGap) {
                BestGap = Gap;
                X = Cx;
                Y = Cy;
            }
        }
        Laid.emplace_back(X, Y);
        // Larger pieces cast a small shadow on the sauce or plate beneath them.
        if (Size >= 6 && Shape != "dots" && Shape != "rings" && Shape != "noodles")
            FOut += "fill '#000000' fill-opacity 0.18 stroke none\n" + Ellipse(X + 1.5, Y + 2.5, Size * 0.95, Size * 0.7) +
                    "fill-opacity 1\n";
        double S = Size * Between(0.85, 1.15);
        // Buns, dumplings and eggs sit upright; loose pieces lie every way.
        bool Upright = Shape == "buns" || Shape == "dumplings" || Shape == "eggs";
        double Angle = Upright ? Between(-20, 20) : Between(0, 360);
        FOut += "push graphic-context\ntranslate " + Pt(X, Y) + "\nrotate " + Num(Angle) + "\n";
        Piece(Shape, Colour, S);
        FOut += "pop graphic-context\n";
    }
    return true;
}

bool TDishPainter::Paint(const std::vector<std::string>& Drawing, std::string& Mvg, std::string& Error)
{
    FOut = "viewbox 0 0 320 240\n";
    std::string TableKind = "wood";
    std::vector<std::vector<std::string>> Layers;
    for (const std::string& Line : Drawing) {
        std::istringstream In(Line);
        std::vector<std::string> Words;
        for (std::string W; In >> W;)
            Words.push_back(W);
        if (Words.empty())
            continue;
        if (Words[0] == "table" && Words.size() == 2)
            TableKind = Words[1];
        else
            Layers.push_back(Words);
    }
    Table(TableKind);
    Chopsticks();
    for (const auto& W : Layers) {
        TRgb Check;
        const std::string& Word = W[0];
        bool Ok = true;
        if (Word == "vessel" && W.size() >= 2 && W.size() <= 4) {
            std::string Rim = W.size() > 2 ? W[2] : "#fbfaf5", Band = W.size() > 3 ? W[3] : "";
            Ok = ParseColour(Rim, Check) && (Band.empty() || ParseColour(Band, Check));
            if (Ok)
                Vessel(W[1], Rim, Band);
        } else if (Word == "sauce" && W.size() == 2 && ParseColour(W[1], Check)) {
            Sauce(W[1]);
        } else if (Word == "fish" && W.size() == 2 && ParseColour(W[1], Check)) {
            Fish(W[1]);
        } else if (Word == "steam" && W.size() == 1) {
            Steam();
        } else if (Word == "pie" && W.size() == 4 && ParseColour(W[1], Check)) {
        int Pieces = std::atoi(W[3].c_str());
        Ok = Pieces >= 1 && Pieces <= 24;
        if (Ok)
            Pie(W[1], std::atof(W[2].c_str()), Pieces);
    } else if (Word == "mound" && W.size() == 3 && ParseColour(W[1], Check)) {
            Mound(W[1], std::atof(W[2].c_str()));
        } else if (W.size() == 4 && ParseColour(W[1], Check)) {
            int Count = std::atoi(W[2].c_str());
            double Size = std::atof(W[3].c_str());
            Ok = Count > 0 && Count <= 200 && Size > 0 && Size <= 60 && Pieces(Word, W[1], Count, Size);
        } else {
            Ok = false;
        }
        if (!Ok) {
            std::string Text;
            for (const std::string& Part : W)
                Text += (Text.empty() ? "" : " ") + Part;
            Error = "cannot draw \"" + Text + "\"";
            return false;
        }
    }
    Mvg = FOut;
    return true;
}
