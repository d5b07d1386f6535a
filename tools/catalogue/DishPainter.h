#pragma once
// Turns a dish's drawing description into an ImageMagick MVG picture (320 x 240): a table, a
// vessel and the food in it. One line per layer, drawn in order:
//
//   vessel plate|bowl|oval|claypot|steamer|board [#rim] [#band]
//   table wood|slate|red|linen|green|blue
//   sauce #colour            fills the vessel's food area
//   mound #colour size       a heap in the middle
//   fish #colour             a whole fish (oval plates)
//   pie #colour size pieces  a round cake cut into wedges
//   <shape> #colour count size   scattered pieces: cubes slices strips balls leaves dots
//                            rings chunks shrimps noodles buns dumplings eggs rolls wedges
//   steam                    rising steam
//
// Pieces are scattered by a generator seeded with the picture name, so builds repeat.
#include <string>
#include <utility>
#include <vector>

class TDishPainter {
public:
    explicit TDishPainter(const std::string& Seed);
    // False with Error for an unknown word or a malformed line.
    bool Paint(const std::vector<std::string>& Drawing, std::string& Mvg, std::string& Error);

private:
    struct TArea { double X, Y, Rx, Ry; };
    unsigned FState;
    TArea FFood{160, 128, 95, 55};
    std::string FOut;

    double Random();                    // [0, 1)
    double Between(double Lo, double Hi) { return Lo + (Hi - Lo) * Random(); }
    void PointIn(const TArea& A, double Margin, double& X, double& Y);
    void Table(const std::string& Kind);
    void Vessel(const std::string& Kind, const std::string& Rim, const std::string& Band);
    void Chopsticks();
    void Sauce(const std::string& Colour);
    void Mound(const std::string& Colour, double Size);
    void Fish(const std::string& Colour);
    void Pie(const std::string& Colour, double Size, int Pieces);
    void Steam();
    bool Pieces(const std::string& Shape, const std::string& Colour, int Count, double Size);
    void Piece(const std::string& Shape, const std::string& Colour, double S);
};
