#include "display/aircraft_table.h"

namespace skyvault {

// clang-format off
const std::array<AircraftRow, kAircraftCount> kAircraft = {{
  // no  bitmap          start x, y    steps  legs       leave        put back x, y    launches
  { 0, "Plane24.bmp", -320,  75,   2,  1, 1,   25, Above(805),  -320, std::nullopt, 0, Above(0)},
  { 1, "Plane03.bmp",  805, 180,  -1, -1, 4,   20, Below(-350),  805, 180,          2, Below(100)},
  { 2, "Plane04.bmp",  805, 200,  -1, -1, 1,    8, Below(-325),  805, std::nullopt, 3, Below(100)},
  { 3, "Plane06.bmp", -251, 180,   1, -1, 4,   40, Above(801),  -326, std::nullopt, 4, Above(700)},
  { 4, "Plane02.bmp", -292, 100,   1,  1, 1,   16, Above(805),  -300, std::nullopt, 5, Above(700)},
  { 5, "Plane05.bmp", -276, 500,   1,  1, 1,   10, Above(801),  -326, std::nullopt, 6, Above(700)},
  { 6, "Plane07.bmp",  805, 300,  -1, -1, 1,    2, Below(-326),  805, std::nullopt, 7, Below(100)},
  { 7, "Plane08.bmp", -266, 175,   1, -1, 4,   40, Above(801),  -343, std::nullopt, 8, Above(801)},
  { 8, "Plane01.bmp",  805,  70,  -1, -1, 1,   17, Below(-366),  805, std::nullopt, 9, Below(100)},
  { 9, "Plane11.bmp",  805, 290,  -1,  1, 10, 1000, Below(-350),  805, std::nullopt, 10, Below(100)},
  {10, "Plane16.bmp", -276, 330,   1,  1, 2, 1000, Above(801),  -350, std::nullopt, 11, Above(700)},
  {11, "Plane14.bmp", -271,  80,   1, -1, 2,    8, Above(805),  -351, std::nullopt, 12, Above(700)},
  {12, "Plane17.bmp",  805, 370,  -1,  1, 1,   18, Below(-351),  805, std::nullopt, 13, Below(100)},
  {13, "Plane25.bmp",  805, 120,  -1,  1, 9, 1000, Below(-350),  805, std::nullopt, 14, Below(100)},
  {14, "Plane23.bmp", -272, 250,   1, -1, 3,   10, Above(805),  -350, std::nullopt, 15, Above(700)},
  {15, "Plane21.bmp", -279, 365,   1,  1, 5,   30, Above(805),  -340, std::nullopt, 1, Above(700)},
}};
// clang-format on

int32_t& SpriteField(DisplayState& state, int aircraft) {
  return aircraft == kBomber ? state.bomberSprite : state.planeSprite[aircraft];
}

int32_t SpriteOf(const DisplayState& state, int aircraft) {
  return aircraft == kBomber ? state.bomberSprite : state.planeSprite[aircraft];
}

}  // namespace skyvault
