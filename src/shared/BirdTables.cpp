#include "BirdTables.h"

namespace birds {
namespace {

// clang-format off
// Names in Japanese syllabary order, down the left column of the board, then the right.
constexpr std::array<BoardEntry, BoardSize> SpringSummer{{
    {u"アオアシシギ", 2},     {u"アオサギ", 1},         {u"アカエリヒレアシシギ", 7},
    {u"アジサシ", 39},        {u"イソシギ", 17},        {u"オオソリハシシギ", 13},
    {u"オオルリ", 24},        {u"オバシギ", 12},        {u"カイツブリ", 6},
    {u"カワウ", 4},           {u"カワラヒワ", 30},      {u"カンムリカイツブリ", 40},
    {u"キアシシギ", 20},      {u"キビタキ", 37},        {u"キョウジョシギ", 23},
    {u"ケリ", 14},            {u"コアジサシ", 3},       {u"コサギ", 10},
    {u"シジュウカラ", 26},    {u"シロチドリ", 16},      {u"セッカ", 31},
    {u"ソリハシシギ", 19},    {u"ダイサギ", 5},         {u"ダイゼン", 22},
    {u"チュウシャクシギ", 9}, {u"ツバメ", 18},          {u"ツルシギ", 21},
    {u"トウネン", 11},        {u"ハクセキレイ", 28},    {u"ハシブトガラス", 35},
    {u"ハシボソガラス", 34},  {u"ヒバリ", 27},          {u"ホウロクシギ", 8},
    {u"ホオジロ", 33},        {u"ホトトギス", 36},      {u"ムクドリ", 29},
    {u"メダイチドリ", 15},    {u"メボソムシクイ", 25},  {u"モズ", 32},
    {u"ユリカモメ", 38},
}};

constexpr std::array<BoardEntry, BoardSize> AutumnWinter{{
    {u"ウミネコ", 61},         {u"エナガ", 45},           {u"オオジュリン", 42},
    {u"オオセグロカモメ", 64}, {u"オオソリハシシギ", 51}, {u"オカヨシガモ", 70},
    {u"オグロシギ", 50},       {u"オナガガモ", 69},       {u"オバシギ", 49},
    {u"カイツブリ", 54},       {u"カモメ", 59},           {u"カルガモ", 72},
    {u"カワウ", 52},           {u"カンムリカイツブリ", 55}, {u"キョウジョシギ", 48},
    {u"キンクロハジロ", 67},   {u"クロツラヘラサギ", 79}, {u"コガモ", 66},
    {u"ジョウビタキ", 41},     {u"シロチドリ", 62},       {u"ズグロカモメ", 58},
    {u"スズガモ", 68},         {u"ダイシャクシギ", 56},   {u"ダイゼン", 63},
    {u"チュウヒ", 78},         {u"チョウゲンボウ", 75},   {u"ツグミ", 46},
    {u"トビ", 77},             {u"トモエガモ", 71},       {u"ハクセキレイ", 47},
    {u"ハジロカイツブリ", 53}, {u"ハマシギ", 60},         {u"ハヤブサ", 74},
    {u"マガモ", 73},           {u"ミサゴ", 76},           {u"メジロ", 43},
    {u"メダイチドリ", 65},     {u"ヤマガラ", 44},         {u"ユリカモメ", 57},
    {u"ヨシガモ", 80},
}};

// clang-format on

} // namespace

const std::array<BoardEntry, BoardSize>& board(Season season)
{
    return season == Season::SpringSummer ? SpringSummer : AutumnWinter;
}

qint16 birdNumberAt(Season season, int position)
{
    return board(season).at(position).number;
}

QString nameAt(Season season, int position)
{
    return QString::fromUtf16(board(season).at(position).name);
}

Season seasonOfBird(int birdNumber)
{
    return birdNumber <= BoardSize ? Season::SpringSummer : Season::AutumnWinter;
}

QString nameOfBird(int birdNumber)
{
    for (const BoardEntry& entry : board(seasonOfBird(birdNumber)))
        if (entry.number == birdNumber)
            return QString::fromUtf16(entry.name);
    return {};
}

NumberTable numberTable(Season season)
{
    NumberTable table{};
    for (int position = 0; position < BoardSize; ++position)
        table[position + 1] = birdNumberAt(season, position);
    return table;
}

} // namespace birds
