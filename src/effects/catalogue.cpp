#include "effects/catalogue.h"

#include "effects/effect_procs.h"
#include "platform/ascii_text.h"

namespace effects {

// Number, name and procedure of every style; the index is the style number.
// Names are stored exactly as shown to users, spelling included.
constexpr TEffect VantrelEffects[kEffectCount + 1] = {
    {nullptr, nullptr},  // 0: the custom-drawn transition has no entry
    {"Expand from right", Effect001},  // 1
    {"Expand from left", Effect002},  // 2
    {"Slide in from right", Effect003},  // 3
    {"Slide in from left", Effect004},  // 4
    {"Reveal from left", Effect005},  // 5
    {"Reveal from right", Effect006},  // 6
    {"Expand in from right", Effect007},  // 7
    {"Expand in from left", Effect008},  // 8
    {"Expand in to middle", Effect009},  // 9
    {"Expand out from middle", Effect010},  // 10
    {"Reveal out from middle", Effect011},  // 11
    {"Reveal in from sides", Effect012},  // 12
    {"Expand in from sides", Effect013},  // 13
    {"Unroll from left", Effect014},  // 14
    {"Unroll from right", Effect015},  // 15
    {"Build up from right", Effect016},  // 16
    {"Build up from left", Effect017},  // 17
    {"Expand from bottom", Effect018},  // 18
    {"Expand from top", Effect019},  // 19
    {"Slide in from bottom", Effect020},  // 20
    {"Slide in from top", Effect021},  // 21
    {"Reveal from top", Effect022},  // 22
    {"Reveal from bottom", Effect023},  // 23
    {"Expand in from bottom", Effect024},  // 24
    {"Expand in from top", Effect025},  // 25
    {"Expand in to middle (horiz)", Effect026},  // 26
    {"Expand out from middle (horiz)", Effect027},  // 27
    {"Reveal from middle (horiz)", Effect028},  // 28
    {"Slide in from top / bottom", Effect029},  // 29
    {"Expand in from top / bottom", Effect030},  // 30
    {"Unroll from top", Effect031},  // 31
    {"Unroll from bottom", Effect032},  // 32
    {"Expand from bottom", Effect033},  // 33
    {"Expand in from top", Effect034},  // 34
    {"Expand from bottom right", Effect035},  // 35
    {"Expand from top right", Effect036},  // 36
    {"Expand from top left", Effect037},  // 37
    {"Expand from bottom left", Effect038},  // 38
    {"Slide in from bottom right", Effect039},  // 39
    {"Slide in from top right", Effect040},  // 40
    {"Slide in from top left", Effect041},  // 41
    {"Slide in from bottom left", Effect042},  // 42
    {"Reveal from top left", Effect043},  // 43
    {"Reveal from bottom left", Effect044},  // 44
    {"Reveal from bottom right", Effect045},  // 45
    {"Reveal from top right", Effect046},  // 46
    {"Appear and Contract to top left", Effect047},  // 47
    {"Appear and Contract to bottom left", Effect048},  // 48
    {"Appear and Contract to bottom right", Effect049},  // 49
    {"Appear and Contract to top right", Effect050},  // 50
    {"Appear and Contract to middle", Effect051},  // 51
    {"Expand out from centre", Effect052},  // 52
    {"Reveal out from centre", Effect053},  // 53
    {"Reveal in to centre", Effect054},  // 54
    {"Quarters Reveal in to middle", Effect055},  // 55
    {"Quarters Expand to middle", Effect056},  // 56
    {"Quarters Slide in to middle", Effect057},  // 57
    {"Curved Reveal from left", Effect058},  // 58
    {"Curved Reveal from right", Effect059},  // 59
    {"Bars in from right", Effect060},  // 60
    {"Bars in from left", Effect061},  // 61
    {"Bars left then right", Effect062},  // 62
    {"Bars right then left", Effect063},  // 63
    {"Bars from both sides", Effect064},  // 64
    {"Uneven shred from right", Effect065, TRandomPattern::Free},  // 65
    {"Uneven shred from left", Effect066, TRandomPattern::Free},  // 66
    {"Uneven shred out from middle (horiz)", Effect067, TRandomPattern::Free},  // 67
    {"Uneven shred in to middle (horiz)", Effect068, TRandomPattern::Free},  // 68
    {"Curved Reveal from top", Effect069},  // 69
    {"Curved Reveal from bottom", Effect070},  // 70
    {"Bars from bottom", Effect071},  // 71
    {"Bars from top", Effect072},  // 72
    {"Bars top then bottom", Effect073},  // 73
    {"Bars bottom then top", Effect074},  // 74
    {"Bars from top and bottom", Effect075},  // 75
    {"Unven shred from bottom", Effect076, TRandomPattern::Free},  // 76
    {"Uneven shred from top", Effect077, TRandomPattern::Free},  // 77
    {"Uneven shred from horizon", Effect078, TRandomPattern::Free},  // 78
    {"Uneven shred in to horizon", Effect079, TRandomPattern::Free},  // 79
    {"Curved reveal from top left", Effect080},  // 80
    {"Curved reveal from top right", Effect081},  // 81
    {"Curved reveal from bottom left", Effect082},  // 82
    {"Curved reveal from bottom right", Effect083},  // 83
    {"Elliptic reveal out from centre", Effect084},  // 84
    {"Elliptic reveal in to centre", Effect085},  // 85
    {"Criss Cross reveal from bottom right", Effect086},  // 86
    {"Criss Cross reveal from top right", Effect087},  // 87
    {"Criss Cross reveal from bottom left", Effect088},  // 88
    {"Criss Cross reveal from top left", Effect089},  // 89
    {"Criss Cross reveal bounce from top left", Effect090},  // 90
    {"Criss Cross reveal bounce from bottom left", Effect091},  // 91
    {"Criss Cross reveal bounce from top right", Effect092},  // 92
    {"Criss Cross reveal bounce from bottom right", Effect093},  // 93
    {"Criss Cross reveal from right top and bottom", Effect094},  // 94
    {"Criss Cross reveal from left top and bottom", Effect095},  // 95
    {"Criss Cross reveal from left right and bottom", Effect096},  // 96
    {"Criss Cross reveal from left right and top", Effect097},  // 97
    {"Criss Cross reveal from top left right and bottom", Effect098},  // 98
    {"Criss Cross reveal from bottom left top right", Effect099},  // 99
    {"Uneven shred from bottom and right", Effect100, TRandomPattern::Free},  // 100
    {"Uneven shred from top and right", Effect101, TRandomPattern::Free},  // 101
    {"Uneven shred from bottom and left", Effect102, TRandomPattern::Free},  // 102
    {"Uneven shred from top and left", Effect103, TRandomPattern::Free},  // 103
    {"Uneven shred from horiz and right", Effect104, TRandomPattern::Free},  // 104
    {"Uneven shred from horiz and left", Effect105, TRandomPattern::Free},  // 105
    {"Uneven shred from bottom and vert middle", Effect106, TRandomPattern::Free},  // 106
    {"Uneven shred from top and vert middle", Effect107, TRandomPattern::Free},  // 107
    {"Uneven shred from centre", Effect108, TRandomPattern::Free},  // 108
    {"Uneven shred to centre", Effect109, TRandomPattern::Free},  // 109
    {"Reveal diagonal from top left", Effect110},  // 110
    {"Reveal diagonal from top right", Effect111},  // 111
    {"Reveal diagonal from bottom left", Effect112},  // 112
    {"Reveal diagonal from bottom right", Effect113},  // 113
    {"Diagonal sweep from top left bottom right anticlockwise", Effect114},  // 114
    {"Diagonal sweep from top left bottom right clockwise", Effect115},  // 115
    {"Starburst clockwise from center", Effect116},  // 116
    {"Starburst anticlockwise from center", Effect117},  // 117
    {"Triangular shred", Effect118},  // 118
    {"Fade", Effect119},  // 119
    {"Pivot from top left", Effect120},  // 120
    {"Pivot from bottom left", Effect121},  // 121
    {"Pivot from top right", Effect122},  // 122
    {"Pivot from bottom right", Effect123},  // 123
    {"Speckle appear from right", Effect124, TRandomPattern::Free},  // 124
    {"Speckle appear from left", Effect125, TRandomPattern::Free},  // 125
    {"Speckle appear from bottom", Effect126, TRandomPattern::Free},  // 126
    {"Speckle appear from top", Effect127, TRandomPattern::Free},  // 127
    {"Random squares appear", Effect128, TRandomPattern::Pinned},  // 128
    {"Push right", Effect129},  // 129
    {"Push left", Effect130},  // 130
    {"Push and squeeze right", Effect131},  // 131
    {"Push and squeeze left", Effect132},  // 132
    {"Push down", Effect133},  // 133
    {"Push up", Effect134},  // 134
    {"Push and sqeeze down", Effect135},  // 135
    {"Push and sqeeze up", Effect136},  // 136
    {"Blind vertically", Effect137},  // 137
    {"Blind horizontally", Effect138},  // 138
    {"Uneven blind from left", Effect139},  // 139
    {"Uneven blind from right", Effect140},  // 140
    {"Uneven blind from top", Effect141},  // 141
    {"Uneven blind from bottom", Effect142},  // 142
    {"Rectangular shred", Effect143},  // 143
    {"Sweep clockwise", Effect144},  // 144
    {"Sweep anticlockwise", Effect145},  // 145
    {"Rectangles apear from left and disapear to right", Effect146},  // 146
    {"Rectangles apear from right and disapear to left", Effect147},  // 147
    {"Rectangles apear from up and disapear to bottom", Effect148},  // 148
    {"Rectangles apear from bottom and disapear to up", Effect149},  // 149
    {"Rotational rectangle in center", Effect150},  // 150
    {"Rotational star in center", Effect151},  // 151
    {"Spiral rectangle", Effect152},  // 152
    {"Circular shred", Effect153},  // 153
    {"Reveal V from left", Effect154},  // 154
    {"Reveal V from right", Effect155},  // 155
    {"Reveal V from top", Effect156},  // 156
    {"Reveal V from bottom", Effect157},  // 157
    {"Bow Tie Horizontal", Effect158},  // 158
    {"Bow Tie Vertical", Effect159},  // 159
    {"Diagonal Cross In", Effect160},  // 160
    {"Diagonal Cross Out", Effect161},  // 161
    {"Zigzag Horizontal", Effect162},  // 162
    {"Zigzag Vertical", Effect163},  // 163
    {"Diamond shred", Effect164},  // 164
    {"Reveal diamond out from centre", Effect165},  // 165
    {"Reveal diamond in to centre", Effect166},  // 166
    {"Diagonal Box Out", Effect167},  // 167
    {"Pixelate", Effect168},  // 168
    {"Dissolve", Effect169, TRandomPattern::Pinned},  // 169
    {"Random Bars Horizontal", Effect170, TRandomPattern::Pinned},  // 170
    {"Random Bars Vertical", Effect171, TRandomPattern::Pinned},  // 171
    {"Channel Mix", Effect172, TRandomPattern::Pinned},  // 172
};

// Every style 1..172 must have its procedure, or the catalogue does not build:
// a null Proc makes this dereference a null pointer, which no constant
// expression may do. (Comparing with nullptr instead stops being a constant
// expression when null-pointer checks are kept, as in sanitizer builds.)
constexpr bool EveryStyleHasAProcedure() {
  for (int32_t style = 1; style <= kEffectCount; ++style) {
    [[maybe_unused]] const auto& procedure = *VantrelEffects[style].Proc;
  }
  return true;
}
static_assert(EveryStyleHasAProcedure(), "every catalogue style 1..172 needs its effect procedure");

const TEffect* FindEffect(int32_t style) {
  if (style < 1 || style > kEffectCount) return nullptr;
  return &VantrelEffects[style];
}

int32_t FindStyleByName(std::string_view name) {
  for (int32_t style = 1; style <= kEffectCount; ++style) {
    if (platform::EqualIgnoringCase(VantrelEffects[style].Name, name)) return style;
  }
  return -1;
}

}  // namespace effects
