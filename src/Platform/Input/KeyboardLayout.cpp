#include "Platform/Input/KeyboardLayout.h"

#include <map>

namespace tessarin {
namespace {

std::string utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

const std::map<uint16_t, char32_t>& layout() {
    static const std::map<uint16_t, char32_t> table = {
        {0, U'a'},     {1, U's'},     {2, U'd'},     {3, U'f'},     {4, U'h'},     {5, U'g'},
        {6, U'z'},     {7, U'x'},     {8, U'c'},     {9, U'v'},     {11, U'b'},    {12, U'q'},
        {13, U'w'},    {14, U'e'},    {15, U'r'},    {16, U'y'},    {17, U't'},    {18, U'1'},
        {19, U'2'},    {20, U'3'},    {21, U'4'},    {22, U'6'},    {23, U'5'},    {24, U'='},
        {25, U'9'},    {26, U'7'},    {27, U'-'},    {28, U'8'},    {29, U'0'},    {30, U']'},
        {31, U'o'},    {32, U'u'},    {33, U'['},    {34, U'i'},    {35, U'p'},    {36, U'\r'},
        {37, U'l'},    {38, U'j'},    {39, U'\''},   {40, U'k'},    {41, U';'},    {42, U'\\'},
        {43, U','},    {44, U'/'},    {45, U'n'},    {46, U'm'},    {47, U'.'},    {48, U'\t'},
        {49, U' '},    {50, U'`'},    {51, 0x7F},    {53, 0x1B},    {65, U'.'},    {67, U'*'},
        {69, U'+'},    {71, 0xF739},  {75, U'/'},    {76, 0x03},    {78, U'-'},    {81, U'='},
        {82, U'0'},    {83, U'1'},    {84, U'2'},    {85, U'3'},    {86, U'4'},    {87, U'5'},
        {88, U'6'},    {89, U'7'},    {91, U'8'},    {92, U'9'},    {122, 0xF704}, {120, 0xF705},
        {99, 0xF706},  {118, 0xF707}, {96, 0xF708},  {97, 0xF709},  {98, 0xF70A},  {100, 0xF70B},
        {101, 0xF70C}, {109, 0xF70D}, {103, 0xF70E}, {111, 0xF70F}, {105, 0xF710}, {107, 0xF711},
        {113, 0xF712}, {106, 0xF713}, {64, 0xF714},  {79, 0xF715},  {80, 0xF716},  {90, 0xF717},
        {114, 0xF746}, {115, 0xF729}, {116, 0xF72C}, {117, 0xF728}, {119, 0xF72B}, {121, 0xF72D},
        {123, 0xF702}, {124, 0xF703}, {125, 0xF701}, {126, 0xF700},
    };
    return table;
}

} // namespace

std::string charactersForKeyCode(uint16_t keyCode) {
    const auto& table = layout();
    auto it = table.find(keyCode);
    return it == table.end() ? std::string() : utf8(it->second);
}

bool isArrowKeyCode(uint16_t keyCode) {
    return keyCode >= 123 && keyCode <= 126;
}

} // namespace tessarin
