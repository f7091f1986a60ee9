#pragma once
// Every picture file of the IMAGES folder: the card backs, the table backgrounds and the demo
// background, with the names the appearance dialog shows for them. The generator draws exactly
// these, and the tests check the built folder against them. Standard library only.

#include "assets/PictureNames.h"

#include <string>
#include <string_view>
#include <vector>

namespace kst::assets {

struct NamedPicture {
    int number;
    std::string_view name;
    std::string_view folder;
};

// Card backs, "D" + size letter + number + ".bmp", each as large as a card of that size.
inline constexpr NamedPicture cardBacks[] = {
    {1, "Boat", "Paintings"},        {2, "Magi", "Paintings"},
    {3, "Snowman", "Children"},      {4, "Dragon", "Children"},
    {5, "Flowers", "Children"},      {6, "Plaiting 2", "Geometric"},
    {7, "Classic blue", "Classics"}, {8, "Classic red", "Classics"},
    {9, "Classic orange", "Classics"}, {10, "Sun", "Classics"},
    {11, "Plaiting 1", "Geometric"}, {12, "Africa", "Paintings"},
    {13, "Teddy bear", "Children"},  {14, "Roses", "Flowers"},
    {15, "Flower", "Flowers"},       {16, "Japanese woman", "Paintings"},
    {17, "Stars", "Geometric"},      {18, "Eagle", "Animals"},
    {19, "Tropical fish", "Animals"}, {20, "Lake", "Nature"},
    {21, "Clouds", "Nature"},        {22, "Sea", "Nature"},
    {23, "Mountains 1", "Nature"},   {24, "Penguin", "Animals"},
    {25, "Mountains 2", "Nature"},   {26, "Hills", "Nature"},
    {27, "Horse", "Animals"},
};
// The back used with the medium and little cards, drawn in every size.
inline constexpr int everySizeBack = 6;

// The picture name the program asks for; the file adds ".bmp".
inline std::string cardBackName(char size, int number)
{
    return std::string("D") + size + threeDigits(number);
}

inline std::string cardBackFile(char size, int number)
{
    return cardBackName(size, number) + ".bmp";
}

// Table backgrounds, "B" + number + ".bmp". Numbers up to 256 are the pictures for displays of 256
// colours or fewer, the others for richer displays; numbers up to 499 are tiled, so those
// pictures must join seamlessly at every edge.
inline constexpr NamedPicture backgrounds[] = {
    {101, "Parquet", "Geometricals"}, {102, "Moquette", "Geometricals"},
    {103, "Cloth", "Geometricals"},   {104, "Cane-brake", "Geometricals"},
    {105, "Thousand rows", "Geometricals"},
    {257, "Water", "Nature"},         {258, "Jute", "Tissue"},
    {259, "Wall-paper", "Paper"},     {260, "Marble 3", "Marbles"},
    {261, "Marble 2", "Marbles"},     {262, "Granite", "Marbles"},
    {263, "Marble 1", "Marbles"},     {264, "Surface 1", "Surfaces"},
    {265, "Bubbles", "Others"},       {266, "Moquette 3", "Tissue"},
    {267, "Carpet", "Tissue"},        {268, "Linen", "Tissue"},
    {269, "Light 1", "Wood"},         {270, "Carved wood", "Wood"},
    {271, "Fantasy 2", "Colors fantasy"}, {272, "Metal blue", "Metal"},
    {273, "Fantasy", "Geometricals"}, {274, "Clouds", "Nature"},
    {275, "Petals", "Colors fantasy"}, {276, "Waves", "Geometricals"},
    {277, "Leaves", "Nature"},        {278, "Labyrinth", "Geometricals"},
    {279, "Fantasy 1", "Colors fantasy"}, {281, "River's stones", "Nature"},
    {282, "Starry sky", "Nature"},    {283, "Fantasy 3", "Colors fantasy"},
    {284, "Letters", "Others"},       {285, "Floor", "Others"},
    {286, "Fractal 2", "Fractal"},    {287, "Metal gold", "Metal"},
    {288, "Surface 6", "Surfaces"},   {289, "Ply-wood", "Wood"},
    {290, "Surface 4", "Surfaces"},   {291, "Surface 3", "Surfaces"},
    {292, "Surface 5", "Surfaces"},   {293, "Surface 2", "Surfaces"},
    {295, "Surface 7", "Surfaces"},   {296, "Moquette 1", "Tissue"},
    {297, "Glass", "Surfaces"},       {299, "Wax", "Others"},
    {301, "Ribbon", "Metal"},         {302, "Pattern 1", "Patterns"},
    {303, "Fold paper", "Paper"},     {304, "Brick wall 1", "Walls"},
    {305, "Brick wall 2", "Walls"},   {306, "Surface 8", "Surfaces"},
    {307, "Spheres in the sky", "Others"}, {308, "Stone wall", "Walls"},
    {309, "Cork", "Wood"},            {310, "Fantasy", "Others"},
    {311, "Parquet", "Wood"},         {312, "Light brown", "Wood"},
    {313, "Light 2", "Wood"},         {314, "Dark brown 2", "Wood"},
    {315, "Dark brown 1", "Wood"},    {316, "Puzzle", "Colors fantasy"},
    {317, "Cloth", "Tissue"},         {318, "Pattern 2", "Patterns"},
    {319, "Pattern 3", "Patterns"},   {320, "Pattern 4", "Patterns"},
    {321, "Moquette 2", "Tissue"},    {322, "Fractal 1", "Fractal"},
    {324, "Meadow", "Nature"},
};
inline constexpr int lastTiledBackground = 499;

inline std::string backgroundName(int number)
{
    return "B" + threeDigits(number);
}

inline std::string backgroundFile(int number)
{
    return backgroundName(number) + ".bmp";
}

// Tiled over the table while a recorded game plays.
inline constexpr std::string_view demoBackgroundName = "Y001";
inline constexpr std::string_view demoBackgroundFile = "Y001.bmp";

inline std::vector<std::string> imagesFiles()
{
    std::vector<std::string> files;
    for (const NamedPicture& back : cardBacks) {
        files.push_back(cardBackFile('B', back.number));
        if (back.number == everySizeBack) {
            files.push_back(cardBackFile('M', back.number));
            files.push_back(cardBackFile('L', back.number));
        }
    }
    for (const NamedPicture& background : backgrounds)
        files.push_back(backgroundFile(background.number));
    files.emplace_back(demoBackgroundFile);
    return files;
}

} // namespace kst::assets
