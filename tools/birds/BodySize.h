#pragma once

// Birds of one family are drawn to one scale, so a picture shows how big the bird
// is beside its relatives: a Little Egret smaller than a Great Egret, a stint
// smaller than a shank.
enum class Family {
    Herons,
    Spoonbills,
    Cormorants,
    Grebes,
    Curlews,
    Sandpipers,
    Phalaropes,
    Plovers,
    Gulls,
    Terns,
    Ducks,
    Raptors,
    Crows,
    Songbirds
};

struct BodySize
{
    Family family = Family::Songbirds;
    int lengthCm = 0; // bill tip to tail tip, as field guides give it
};

BodySize bodySize(int number);

// The share of its picture a bird would fill at its family's scale is raised to
// this power: sizes keep their order but the smallest of a family, at under half
// the length of the largest, is not shrunk to a speck and still shows its marks.
constexpr double SizeCompression = 0.85;
// and it never falls below this share
constexpr double SmallestShare = 0.45;
