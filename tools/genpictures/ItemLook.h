#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

enum class ItemKind {
    Sword,
    Dagger,
    Axe,
    Bow,
    Staff,
    Spear,
    Scythe,
    Mace,
    MorningStar,
    Club,
    Hammer,
    Flail,
    Shield,
    Helm,
    Cap,
    Crown,
    Circlet,
    JesterHat,
    Mask,
    Armour,
    Cloak,
    Ring,
    Amulet,
    Bracer,
    Potion,
    Elixir,
    Vial,
    Bottle,
    Scroll,
    Book,
    Gold,
    Ear,
    Key,
    Gem,
    Rock,
    Sphere,
    Cube,
    Pyramid,
    Note,
    Rune,
    Bomb,
    Map,
    Mushroom,
    Brain,
    Heart,
    Claw,
    Tooth,
    Bread,
    Pouch,
    Sign,
    Anvil,
    Cup,
    Bear,
    Blank,
    Unknown
};

// What the picture of one graphic number shows, read from the words of its name.
struct ItemLook {
    ItemKind kind = ItemKind::Unknown;
    QColor main;       // the body: blade, cloth, leather, glass, paper...
    QColor accent;     // gem, liquid, emblem, trim
    QColor wood;       // handles and shafts
    QStringList words; // lower-case words of the name, in order, then those describing a unique item
    quint32 seed = 0;  // varies small details between items of one kind

    bool has(const QString& word) const { return words.contains(word); }
    bool hasAny(std::initializer_list<const char*> list) const;
    // Picks one of `count` variants, stable for a given name.
    int pick(int count, int salt = 0) const;

    static ItemLook fromName(const QString& name);
};
