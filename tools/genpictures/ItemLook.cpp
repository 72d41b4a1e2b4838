#include "ItemLook.h"

#include <QCryptographicHash>
#include <QHash>
#include <QRegularExpression>

namespace {

// Unique items whose names do not say what they are, described in plain words of what they look like.
const QHash<QString, QString>& descriptions()
{
    static const QHash<QString, QString> table{
        {"the bleeder", "ruby ring"},
        {"bramble", "green thorny ring"},
        {"black razor", "black dagger"},
        {"wizardspike", "blue dagger"},
        {"claymore", "sword"},
        {"falcon's talon", "curved sword"},
        {"magic rock", "magic rock"},
        {"fool's crest", "jester crest"},
        {"harlequin crest", "jester crest"},
        {"gotterdamerung", "great helm"},
        {"torn flesh of souls", "torn rags"},
        {"eadlehorn", "recurve bow"},
        {"stonecleaver", "grey axe"},
        {"dragon's breach", "dragon shield"},
        {"blackoak shield", "dark wooden shield"},
        {"wisdom's wrap", "blue robe"},
        {"arkaine's valor", "gold splint mail"},
        {"the needler", "short bow"},
        {"the grizzly", "sword"},
        {"the grandfather", "great sword"},
        {"the protector", "staff"},
        {"messerschmidt's reaver", "red great axe"},
        {"windforce", "long bow"},
        {"giant's knuckle", "thick ring"},
        {"theodore", "teddy bear"},
        {"eater of souls", "black sword"},
        {"armor of gloom", "black plate armor"},
        {"thunderclap", "hammer"},
        {"diamondedge", "white sword"},
        {"flambeau", "red long bow"},
        {"gnat sting", "short bow"},
        {"blitzen", "recurve bow"},
        {"spine and pelvis bone", "bone club"},
        {"hellraiser box", "gold puzzle cube"},
        {"anvil of fury", "anvil"},
        {"tavern sign", "sign"},
        {"ring of magma", "orange ring"},
        {"ring of thunder", "blue ring"},
        {"mercurial ring", "silver ring"},
        {"optic amulet", "eye amulet"},
        {"auric amulet", "gold amulet"},
        {"amulet of warding", "blue amulet"},
        {"fungal tome", "green tome"},
        {"demon plate armor", "red plate armor"},
        {"bovine plate", "brown plate"},
        {"naj light plate", "plate"},
        {"map of stars", "star map"},
        {"brain", "brain"},
    };
    return table;
}

struct Rule {
    std::initializer_list<const char*> words;
    ItemKind kind;
};

// Earlier rules win: "ring mail" is armour, "tri-banded bracer" a bracer, "ear w/ gold ring" an ear.
const Rule rules[] = {
    {{"blank"}, ItemKind::Blank},
    {{"bracer"}, ItemKind::Bracer},
    {{"ear"}, ItemKind::Ear},
    {{"teddy"}, ItemKind::Bear},
    {{"breastplate", "plate", "mail", "armor", "armour", "suit", "tunic", "shirt", "rags", "robe"},
     ItemKind::Armour},
    {{"shield", "buckler"}, ItemKind::Shield},
    {{"cloak", "cape"}, ItemKind::Cloak},
    {{"bow"}, ItemKind::Bow},
    {{"scythe"}, ItemKind::Scythe},
    {{"spear"}, ItemKind::Spear},
    {{"staff"}, ItemKind::Staff},
    {{"flail"}, ItemKind::Flail},
    {{"morning"}, ItemKind::MorningStar},
    {{"mace"}, ItemKind::Mace},
    {{"hammer", "maul"}, ItemKind::Hammer},
    {{"club", "board"}, ItemKind::Club},
    {{"axe", "cleaver"}, ItemKind::Axe},
    {{"dagger", "knife", "razor"}, ItemKind::Dagger},
    {{"sword", "blade", "sabre", "scimitar", "falchion"}, ItemKind::Sword},
    {{"crown"}, ItemKind::Crown},
    {{"circlet"}, ItemKind::Circlet},
    {{"crest", "jester"}, ItemKind::JesterHat},
    {{"mask"}, ItemKind::Mask},
    {{"helm"}, ItemKind::Helm},
    {{"cap"}, ItemKind::Cap},
    {{"amulet", "necklace", "pendant", "brooch"}, ItemKind::Amulet},
    {{"ring", "band"}, ItemKind::Ring},
    {{"potion"}, ItemKind::Potion},
    {{"elixir"}, ItemKind::Elixir},
    {{"vial"}, ItemKind::Vial},
    {{"brew", "bottle"}, ItemKind::Bottle},
    {{"scroll"}, ItemKind::Scroll},
    {{"book", "tome"}, ItemKind::Book},
    {{"pile", "coins"}, ItemKind::Gold},
    {{"key"}, ItemKind::Key},
    {{"bomb"}, ItemKind::Bomb},
    {{"rune"}, ItemKind::Rune},
    {{"note"}, ItemKind::Note},
    {{"map"}, ItemKind::Map},
    {{"mushroom"}, ItemKind::Mushroom},
    {{"brain"}, ItemKind::Brain},
    {{"heart"}, ItemKind::Heart},
    {{"claw"}, ItemKind::Claw},
    {{"tooth"}, ItemKind::Tooth},
    {{"bread", "loaf"}, ItemKind::Bread},
    {{"pouch", "bag", "sack"}, ItemKind::Pouch},
    {{"sign"}, ItemKind::Sign},
    {{"anvil"}, ItemKind::Anvil},
    {{"cup", "goblet", "chalice"}, ItemKind::Cup},
    {{"sphere", "orb"}, ItemKind::Sphere},
    {{"cube", "box"}, ItemKind::Cube},
    {{"pyramid"}, ItemKind::Pyramid},
    {{"rock"}, ItemKind::Rock},
    {{"stone", "gem", "jewel"}, ItemKind::Gem},
};

namespace colour {
const QColor steel(170, 180, 192);
const QColor iron(122, 128, 138);
const QColor gold(226, 172, 56);
const QColor silver(206, 212, 220);
const QColor brass(200, 150, 64);
const QColor leather(138, 88, 48);
const QColor wood(150, 98, 48);
const QColor darkWood(96, 62, 36);
const QColor bone(230, 218, 182);
const QColor red(200, 36, 40);
const QColor ruby(220, 30, 60);
const QColor blue(48, 96, 216);
const QColor sapphire(40, 78, 224);
const QColor purple(140, 60, 200);
const QColor green(58, 160, 64);
const QColor orange(232, 122, 32);
const QColor black(70, 70, 82);
const QColor white(236, 236, 232);
const QColor tan(200, 166, 116);
const QColor brown(130, 86, 52);
const QColor rust(156, 92, 50);
const QColor grey(150, 154, 160);
const QColor parchment(226, 208, 164);
const QColor flesh(220, 156, 128);
const QColor pink(226, 150, 164);
const QColor yellow(232, 204, 64);
const QColor pale(190, 230, 236);
const QColor cloth(176, 150, 112);
} // namespace colour

// The colour that a word of the name asks for, if any.
bool colourWord(const QString& w, QColor& c)
{
    static const QHash<QString, QColor> table{
        {"gold", colour::gold},     {"golden", colour::gold},       {"auric", colour::gold},
        {"silver", colour::silver}, {"steel", colour::steel},       {"iron", colour::iron},
        {"grey", colour::grey},     {"gray", colour::grey},         {"black", colour::black},
        {"dark", colour::black},    {"white", colour::white},       {"red", colour::red},
        {"blood", colour::red},     {"blue", colour::blue},         {"orange", colour::orange},
        {"green", colour::green},   {"brown", colour::brown},       {"tan", colour::tan},
        {"bone", colour::bone},     {"spine", colour::bone},        {"rusted", colour::rust},
        {"wooden", colour::wood},   {"purple", colour::purple},     {"spectral", colour::pale},
        {"ruby", colour::ruby},     {"sapphire", colour::sapphire},
    };
    auto found = table.find(w);
    if (found == table.end()) return false;
    c = *found;
    return true;
}

} // namespace

bool ItemLook::hasAny(std::initializer_list<const char*> list) const
{
    for (const char* w : list)
        if (words.contains(QString::fromLatin1(w))) return true;
    return false;
}

int ItemLook::pick(int count, int salt) const
{
    quint32 h = seed ^ (quint32(salt) * 0x9E3779B9u);
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return int(h % quint32(count));
}

ItemLook ItemLook::fromName(const QString& name)
{
    ItemLook look;
    QString text = name.toLower();
    text.remove('"');
    text = text.trimmed();
    const QByteArray digest = QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5);
    look.seed = quint32(uchar(digest[0])) | quint32(uchar(digest[1])) << 8 | quint32(uchar(digest[2])) << 16 |
                quint32(uchar(digest[3])) << 24;

    QString described = text;
    if (auto found = descriptions().find(text); found != descriptions().end()) described += " " + *found;
    for (const QString& w : described.split(QRegularExpression("[^a-z0-9']+"), Qt::SkipEmptyParts)) {
        QString word = w;
        if (word.endsWith("'s")) word.chop(2);
        look.words.append(word);
    }

    for (const Rule& rule : rules) {
        if (look.hasAny(rule.words)) {
            look.kind = rule.kind;
            break;
        }
    }

    // Defaults by kind; words of the name then override.
    look.wood = colour::wood;
    using K = ItemKind;
    static const QColor gems[] = {colour::ruby,   colour::sapphire,     colour::green,
                                  colour::purple, QColor(240, 180, 40), QColor(80, 200, 220)};
    look.accent = gems[look.pick(6, 1)];
    switch (look.kind) {
    case K::Sword:
    case K::Dagger:
    case K::Axe:
    case K::Spear:
    case K::Scythe:
        look.main = colour::steel;
        look.accent = colour::brass;
        break;
    case K::Mace:
    case K::MorningStar:
    case K::Hammer:
    case K::Flail:
    case K::Mask:
    case K::Anvil:
        look.main = colour::iron;
        break;
    case K::Bow:
    case K::Staff:
    case K::Club:
    case K::Sign:
        look.main = colour::wood;
        break;
    case K::Shield: {
        look.main = colour::steel;
        static const QColor fields[] = {QColor(150, 30, 30), QColor(40, 60, 150), QColor(40, 110, 60),
                                        QColor(110, 40, 120), QColor(150, 110, 40)};
        look.accent = fields[look.pick(5, 2)];
        break;
    }
    case K::Helm:
        look.main = colour::steel;
        break;
    case K::Cap:
        look.main = look.hasAny({"skull", "steel"}) ? colour::steel : colour::leather;
        break;
    case K::Crown:
    case K::Circlet:
    case K::Ring:
    case K::Amulet:
    case K::Gold:
    case K::Cup:
        look.main = colour::gold;
        break;
    case K::JesterHat:
        look.main = colour::red;
        look.accent = QColor(60, 150, 60);
        break;
    case K::Armour: {
        if (look.hasAny({"leather", "studded", "shirt"}))
            look.main = colour::leather;
        else if (look.hasAny({"quilted", "padded", "rags"}))
            look.main = colour::cloth;
        else if (look.has("robe"))
            look.main = colour::purple;
        else if (look.hasAny({"tunic", "suit"}))
            look.main = colour::red;
        else
            look.main = colour::steel;
        look.accent = colour::brass;
        break;
    }
    case K::Cloak:
        look.main = look.has("cape") ? QColor(160, 30, 36) : QColor(60, 70, 120);
        look.accent = colour::gold;
        break;
    case K::Bracer:
        look.main = colour::leather;
        break;
    case K::Potion:
        look.main = QColor(200, 220, 230);
        if (look.has("healing"))
            look.accent = QColor(210, 20, 24);
        else if (look.has("mana"))
            look.accent = QColor(30, 70, 230);
        else if (look.has("rejuvenation"))
            look.accent = QColor(150, 50, 210);
        break;
    case K::Elixir:
        look.main = QColor(200, 220, 230);
        if (look.has("strength"))
            look.accent = QColor(230, 110, 20);
        else if (look.has("magic"))
            look.accent = QColor(70, 90, 240);
        else if (look.has("dexterity"))
            look.accent = QColor(40, 180, 60);
        else if (look.has("vitality"))
            look.accent = QColor(230, 200, 40);
        break;
    case K::Vial:
    case K::Bottle:
        look.main = QColor(200, 220, 230);
        look.accent = QColor(120, 70, 30);
        break;
    case K::Scroll:
    case K::Note:
    case K::Map:
        look.main = colour::parchment;
        look.accent = QColor(170, 30, 30);
        break;
    case K::Book:
        look.main = colour::brown;
        look.accent = colour::gold;
        break;
    case K::Ear:
        look.main = colour::flesh;
        look.accent = colour::gold;
        break;
    case K::Key:
        look.main = QColor(150, 118, 70);
        break;
    case K::Gem:
        look.main = look.accent;
        break;
    case K::Rock:
        look.main = QColor(120, 116, 110);
        look.accent = QColor(90, 170, 255);
        break;
    case K::Sphere:
    case K::Cube:
    case K::Pyramid:
        look.main = look.accent;
        break;
    case K::Rune:
        look.main = QColor(118, 112, 104);
        if (look.has("fire"))
            look.accent = QColor(255, 110, 30);
        else if (look.has("lightning"))
            look.accent = QColor(110, 200, 255);
        else
            look.accent = QColor(170, 220, 120);
        break;
    case K::Bomb:
        look.main = QColor(70, 70, 78);
        look.accent = QColor(255, 140, 40);
        break;
    case K::Mushroom:
        look.main = QColor(180, 60, 40);
        break;
    case K::Brain:
        look.main = colour::pink;
        break;
    case K::Heart:
        look.main = QColor(180, 20, 30);
        break;
    case K::Claw:
    case K::Tooth:
        look.main = colour::bone;
        break;
    case K::Bread:
        look.main = QColor(196, 136, 62);
        break;
    case K::Pouch:
        look.main = colour::leather;
        look.accent = colour::gold;
        break;
    case K::Bear:
        look.main = QColor(150, 100, 58);
        break;
    case K::Blank:
        look.main = QColor(90, 84, 76);
        break;
    case K::Unknown:
        look.main = QColor(130, 124, 116);
        break;
    }

    QColor c;
    const bool jewel = look.kind == K::Ring || look.kind == K::Amulet || look.kind == K::Crown ||
                       look.kind == K::Circlet || look.kind == K::Staff;
    // For these the colour of the name is the colour of what they hold or are banded with.
    const bool contents = look.kind == K::Vial || look.kind == K::Bottle || look.kind == K::Potion ||
                          look.kind == K::Elixir || look.kind == K::Bracer || look.kind == K::Ear;
    for (const QString& w : look.words) {
        if (!colourWord(w, c)) continue;
        if (w == "ruby" || w == "sapphire") {
            look.accent = c;
            if (look.kind == K::Axe) look.main = c; // a blade cut from the stone itself
        } else if (w == "bone" || w == "spine") {
            look.main = c;
            look.wood = c;
        } else if (jewel && (w == "red" || w == "blue" || w == "green" || w == "orange" || w == "black")) {
            look.accent = c; // the colour of a ring or amulet is its stone
        } else if (look.kind == K::Shield && (w == "red" || w == "blue" || w == "green")) {
            look.accent = c.darker(130);
        } else if (contents) {
            look.accent = c;
        } else if (look.kind == K::Sphere || look.kind == K::Cube || look.kind == K::Pyramid) {
            look.main = c;
            look.accent = c;
        } else {
            look.main = c;
        }
    }
    if (look.has("rusted")) look.main = colour::rust;
    if (look.has("wooden") || look.has("oak")) look.main = look.has("dark") ? colour::darkWood : colour::wood;
    if (look.has("dark") && look.kind == K::Shield) look.main = colour::darkWood;
    if (look.kind == K::Gem && look.words.contains("blood")) look.main = look.accent = colour::red;
    return look;
}
