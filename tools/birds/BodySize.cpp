#include "BodySize.h"

#include <array>

namespace {

using enum Family;

// Total lengths from Japanese field guides, rounded to the centimetre; drakes for
// the ducks.
constexpr std::array<BodySize, 80> Sizes{{
    {Herons, 93},     {Sandpipers, 35}, {Terns, 28},     {Cormorants, 82}, {Herons, 90},
    {Grebes, 26},     {Phalaropes, 19}, {Curlews, 61},   {Curlews, 42},    {Herons, 61},
    {Sandpipers, 15}, {Sandpipers, 28}, {Curlews, 39},   {Plovers, 36},    {Plovers, 20},
    {Plovers, 17},    {Sandpipers, 20}, {Songbirds, 17}, {Sandpipers, 23}, {Sandpipers, 25},
    {Sandpipers, 32}, {Plovers, 29},    {Plovers, 22},   {Songbirds, 16},  {Songbirds, 13},
    {Songbirds, 15},  {Songbirds, 17},  {Songbirds, 21}, {Songbirds, 24},  {Songbirds, 14},
    {Songbirds, 13},  {Songbirds, 20},  {Songbirds, 17}, {Crows, 50},      {Crows, 56},
    {Songbirds, 28},  {Songbirds, 14},  {Gulls, 40},     {Terns, 35},      {Grebes, 56},
    {Songbirds, 14},  {Songbirds, 16},  {Songbirds, 12}, {Songbirds, 14},  {Songbirds, 14},
    {Songbirds, 24},  {Songbirds, 21},  {Plovers, 22},   {Sandpipers, 28}, {Curlews, 38},
    {Curlews, 39},    {Cormorants, 82}, {Grebes, 31},    {Grebes, 26},     {Grebes, 56},
    {Curlews, 58},    {Gulls, 40},      {Gulls, 32},     {Gulls, 45},      {Sandpipers, 21},
    {Gulls, 47},      {Plovers, 17},    {Plovers, 29},   {Gulls, 61},      {Plovers, 20},
    {Ducks, 37},      {Ducks, 40},      {Ducks, 45},     {Ducks, 75},      {Ducks, 50},
    {Ducks, 40},      {Ducks, 61},      {Ducks, 59},     {Raptors, 45},    {Raptors, 35},
    {Raptors, 57},    {Raptors, 59},    {Raptors, 52},   {Spoonbills, 74}, {Ducks, 48},
}};

} // namespace

BodySize bodySize(int number)
{
    if (number < 1 || number > int(Sizes.size()))
        return {};
    return Sizes[std::size_t(number - 1)];
}
