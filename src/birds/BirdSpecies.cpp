#include "BirdSpecies.h"

#include <QtGlobal>

namespace species {
namespace {

// Japanese names follow the Ornithological Society of Japan's check-list (日本鳥類目録
// 改訂第7版): メボソムシクイ is Phylloscopus xanthodryas since the Arctic Warbler was split
// into three. Scientific and English names follow the IOC World Bird List (v14), which has
// moved the sand plovers and the Kentish Plover to Anarhynchus and keeps the eastern great
// egrets (Ardea modesta of other lists) in the Great Egret; the older genera and the other
// lists' names stay among the other names, since files named after them are common.
// clang-format off
constexpr std::array<Species, 69> Table{{
    // On the spring/summer board (those also on the autumn/winter board carry both numbers)
    {u"アオサギ", u"アオサギ", u"Ardea cinerea", u"Grey Heron", 1, 0},
    {u"アオアシシギ", u"アオアシシギ", u"Tringa nebularia", u"Common Greenshank", 2, 0},
    {u"コアジサシ", u"コアジサシ", u"Sternula albifrons", u"Little Tern", 3, 0, {u"Sterna albifrons"}},
    {u"カワウ", u"カワウ", u"Phalacrocorax carbo", u"Great Cormorant", 4, 52},
    {u"ダイサギ", u"ダイサギ", u"Ardea alba", u"Great Egret", 5, 0, {u"Egretta alba", u"Great White Egret", u"Ardea modesta", u"Eastern Great Egret"}},
    {u"カイツブリ", u"カイツブリ", u"Tachybaptus ruficollis", u"Little Grebe", 6, 54},
    {u"アカエリヒレアシシギ", u"アカエリヒレアシシギ", u"Phalaropus lobatus", u"Red-necked Phalarope", 7, 0},
    {u"ホウロクシギ", u"ホウロクシギ", u"Numenius madagascariensis", u"Far Eastern Curlew", 8, 0},
    {u"チュウシャクシギ", u"チュウシャクシギ", u"Numenius phaeopus", u"Eurasian Whimbrel", 9, 0, {u"Whimbrel"}},
    {u"コサギ", u"コサギ", u"Egretta garzetta", u"Little Egret", 10, 0},
    {u"トウネン", u"トウネン", u"Calidris ruficollis", u"Red-necked Stint", 11, 0},
    {u"オバシギ", u"オバシギ", u"Calidris tenuirostris", u"Great Knot", 12, 49},
    {u"オオソリハシシギ", u"オオソリハシシギ", u"Limosa lapponica", u"Bar-tailed Godwit", 13, 51},
    {u"ケリ", u"ケリ", u"Vanellus cinereus", u"Grey-headed Lapwing", 14, 0},
    {u"メダイチドリ", u"メダイチドリ", u"Anarhynchus mongolus", u"Siberian Sand Plover", 15, 65, {u"Charadrius mongolus", u"Lesser Sand Plover", u"Mongolian Plover"}},
    {u"シロチドリ", u"シロチドリ", u"Anarhynchus alexandrinus", u"Kentish Plover", 16, 62, {u"Charadrius alexandrinus"}},
    {u"イソシギ", u"イソシギ", u"Actitis hypoleucos", u"Common Sandpiper", 17, 0},
    {u"ツバメ", u"ツバメ", u"Hirundo rustica", u"Barn Swallow", 18, 0},
    {u"ソリハシシギ", u"ソリハシシギ", u"Xenus cinereus", u"Terek Sandpiper", 19, 0},
    {u"キアシシギ", u"キアシシギ", u"Tringa brevipes", u"Grey-tailed Tattler", 20, 0, {u"Heteroscelus brevipes"}},
    {u"ツルシギ", u"ツルシギ", u"Tringa erythropus", u"Spotted Redshank", 21, 0},
    {u"ダイゼン", u"ダイゼン", u"Pluvialis squatarola", u"Grey Plover", 22, 63},
    {u"キョウジョシギ", u"キョウジョシギ", u"Arenaria interpres", u"Ruddy Turnstone", 23, 48},
    {u"オオルリ", u"オオルリ", u"Cyanoptila cyanomelana", u"Blue-and-white Flycatcher", 24, 0},
    {u"メボソムシクイ", u"メボソムシクイ", u"Phylloscopus xanthodryas", u"Japanese Leaf Warbler", 25, 0},
    {u"シジュウカラ", u"シジュウカラ", u"Parus minor", u"Japanese Tit", 26, 0},
    {u"ヒバリ", u"ヒバリ", u"Alauda arvensis", u"Eurasian Skylark", 27, 0},
    {u"ハクセキレイ", u"ハクセキレイ", u"Motacilla alba", u"White Wagtail", 28, 47},
    {u"ムクドリ", u"ムクドリ", u"Spodiopsar cineraceus", u"White-cheeked Starling", 29, 0, {u"Sturnus cineraceus"}},
    {u"カワラヒワ", u"カワラヒワ", u"Chloris sinica", u"Grey-capped Greenfinch", 30, 0, {u"Carduelis sinica", u"Oriental Greenfinch"}},
    {u"セッカ", u"セッカ", u"Cisticola juncidis", u"Zitting Cisticola", 31, 0},
    {u"モズ", u"モズ", u"Lanius bucephalus", u"Bull-headed Shrike", 32, 0},
    {u"ホオジロ", u"ホオジロ", u"Emberiza cioides", u"Meadow Bunting", 33, 0},
    {u"ハシボソガラス", u"ハシボソガラス", u"Corvus corone", u"Carrion Crow", 34, 0},
    {u"ハシブトガラス", u"ハシブトガラス", u"Corvus macrorhynchos", u"Large-billed Crow", 35, 0, {u"Jungle Crow"}},
    {u"ホトトギス", u"ホトトギス", u"Cuculus poliocephalus", u"Lesser Cuckoo", 36, 0},
    {u"キビタキ", u"キビタキ", u"Ficedula narcissina", u"Narcissus Flycatcher", 37, 0},
    {u"ユリカモメ", u"ユリカモメ", u"Chroicocephalus ridibundus", u"Black-headed Gull", 38, 57, {u"Larus ridibundus"}},
    {u"アジサシ", u"アジサシ", u"Sterna hirundo", u"Common Tern", 39, 0},
    {u"カンムリカイツブリ", u"カンムリカイツブリ", u"Podiceps cristatus", u"Great Crested Grebe", 40, 55},
    // On the autumn/winter board only
    {u"ジョウビタキ", u"ジョウビタキ", u"Phoenicurus auroreus", u"Daurian Redstart", 0, 41},
    {u"オオジュリン", u"オオジュリン", u"Emberiza schoeniclus", u"Common Reed Bunting", 0, 42},
    {u"メジロ", u"メジロ", u"Zosterops japonicus", u"Warbling White-eye", 0, 43, {u"Japanese White-eye"}},
    {u"ヤマガラ", u"ヤマガラ", u"Sittiparus varius", u"Varied Tit", 0, 44, {u"Parus varius"}},
    {u"エナガ", u"エナガ", u"Aegithalos caudatus", u"Long-tailed Tit", 0, 45},
    {u"ツグミ", u"ツグミ", u"Turdus eunomus", u"Dusky Thrush", 0, 46},
    {u"オグロシギ", u"オグロシギ", u"Limosa limosa", u"Black-tailed Godwit", 0, 50},
    {u"ハジロカイツブリ", u"ハジロカイツブリ", u"Podiceps nigricollis", u"Black-necked Grebe", 0, 53},
    {u"ダイシャクシギ", u"ダイシャクシギ", u"Numenius arquata", u"Eurasian Curlew", 0, 56},
    {u"ズグロカモメ", u"ズグロカモメ", u"Chroicocephalus saundersi", u"Saunders's Gull", 0, 58, {u"Larus saundersi", u"Saundersilarus saundersi"}},
    {u"カモメ", u"カモメ", u"Larus canus", u"Common Gull", 0, 59, {u"Kamchatka Gull", u"Larus canus kamtschatschensis"}},
    {u"ハマシギ", u"ハマシギ", u"Calidris alpina", u"Dunlin", 0, 60},
    {u"ウミネコ", u"ウミネコ", u"Larus crassirostris", u"Black-tailed Gull", 0, 61},
    {u"オオセグロカモメ", u"オオセグロカモメ", u"Larus schistisagus", u"Slaty-backed Gull", 0, 64},
    {u"コガモ", u"コガモ", u"Anas crecca", u"Eurasian Teal", 0, 66, {u"Common Teal"}},
    {u"キンクロハジロ", u"キンクロハジロ", u"Aythya fuligula", u"Tufted Duck", 0, 67},
    {u"スズガモ", u"スズガモ", u"Aythya marila", u"Greater Scaup", 0, 68},
    {u"オナガガモ", u"オナガガモ", u"Anas acuta", u"Northern Pintail", 0, 69},
    {u"オカヨシガモ", u"オカヨシガモ", u"Mareca strepera", u"Gadwall", 0, 70, {u"Anas strepera"}},
    {u"トモエガモ", u"トモエガモ", u"Sibirionetta formosa", u"Baikal Teal", 0, 71, {u"Anas formosa"}},
    {u"カルガモ", u"カルガモ", u"Anas zonorhyncha", u"Eastern Spot-billed Duck", 0, 72},
    {u"マガモ", u"マガモ", u"Anas platyrhynchos", u"Mallard", 0, 73},
    {u"ハヤブサ", u"ハヤブサ", u"Falco peregrinus", u"Peregrine Falcon", 0, 74},
    {u"チョウゲンボウ", u"チョウゲンボウ", u"Falco tinnunculus", u"Common Kestrel", 0, 75, {u"Eurasian Kestrel"}},
    {u"ミサゴ", u"ミサゴ", u"Pandion haliaetus", u"Western Osprey", 0, 76, {u"Osprey"}},
    {u"トビ", u"トビ", u"Milvus migrans", u"Black Kite", 0, 77, {u"Black-eared Kite"}},
    {u"チュウヒ", u"チュウヒ", u"Circus spilonotus", u"Eastern Marsh Harrier", 0, 78},
    {u"クロツラヘラサギ", u"クロツラヘラサギ", u"Platalea minor", u"Black-faced Spoonbill", 0, 79},
    {u"ヨシガモ", u"ヨシガモ", u"Mareca falcata", u"Falcated Duck", 0, 80, {u"Anas falcata"}},
}};
// clang-format on

// Bird number → row, built once.
const std::array<const Species*, 81>& byBird()
{
    static const std::array<const Species*, 81> index = [] {
        std::array<const Species*, 81> rows{};
        for (const Species& species : Table) {
            if (species.springSummer > 0)
                rows[species.springSummer] = &species;
            if (species.autumnWinter > 0)
                rows[species.autumnWinter] = &species;
        }
        return rows;
    }();
    return index;
}

} // namespace

std::span<const Species> all()
{
    return Table;
}

const Species& ofBird(int birdNumber)
{
    Q_ASSERT(birdNumber >= 1 && birdNumber <= 80);
    return *byBird().at(birdNumber);
}

QList<int> birdNumbers(const Species& species)
{
    QList<int> numbers;
    if (species.springSummer > 0)
        numbers << species.springSummer;
    if (species.autumnWinter > 0)
        numbers << species.autumnWinter;
    return numbers;
}

QString boardName(int birdNumber)
{
    return QString::fromUtf16(ofBird(birdNumber).boardName);
}

QString japaneseName(int birdNumber)
{
    return QString::fromUtf16(ofBird(birdNumber).japaneseName);
}

QString scientificName(int birdNumber)
{
    return QString::fromUtf16(ofBird(birdNumber).scientificName);
}

QString englishName(int birdNumber)
{
    return QString::fromUtf16(ofBird(birdNumber).englishName);
}

QStringList otherNames(const Species& species)
{
    QStringList names;
    for (const char16_t* name : species.otherNames)
        if (name)
            names << QString::fromUtf16(name);
    return names;
}

} // namespace species
