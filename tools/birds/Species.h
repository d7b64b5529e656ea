#pragma once

#include "BirdShape.h"
#include "FlightPainter.h"
#include "Plumage.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What the bird stands on or swims in.
enum class Setting {
    Mudflat,  // wet mud with the bird's reflection
    Sand,     // dry sandy shore
    Shallows, // standing in shallow water
    Water,    // swimming
    Grass,    // short grass or a field
    Branch,   // perched on a leafy or bare branch
    Blossom,  // a branch in flower
    Reeds,    // clinging to a reed stem
    Wire,     // on a wire against the sky
    Post,     // on a wooden post
    Rock      // on a rock by the sea
};

// How one bird is painted; its names are in the shared species table, by bird number.
struct Species
{
    int number = 0;
    BirdShape shape{};
    Plumage plumage{};
    Setting setting = Setting::Mudflat;
    int width = 260; // picture size in pixels
    int height = 220;
    bool facingRight = false;
};

// The 80 birds of the media set, by bird number (1-40 spring/summer, 41-80 autumn/winter).
const QList<Species>& speciesTable();
const Species* findSpecies(int number);

// A further picture of a bird, beside its first: another plumage or view of it, saved as
// b<number>-<index>.gif with its tags (雌, 幼鳥, 飛翔 ...). A bird in flight is painted from
// `flight`; any other from `species`.
struct FurtherPicture
{
    int number = 0;
    int index = 2;
    Species species{};
    QStringList tags{};
    std::optional<FlightPicture> flight{};
};

const QList<FurtherPicture>& furtherPictures();
