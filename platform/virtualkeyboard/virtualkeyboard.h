#pragma once

#include <QObject>

// Names shared by layouts, key styles and the panel: the kinds of key and the panel's animations.
class VirtualKeyboard : public QObject
{
    Q_OBJECT

public:
    enum KeyType
    {
        KeyCharacter, // types its text; the kind of every key that names none
        KeyFiller,    // empty space, no action
        KeyShift,
        KeyBackspace,
        KeyPageSwitch,
        KeySpace,
        KeyHideKeyboard,
        KeyEnter
    };
    Q_ENUM(KeyType)

    enum AnimationType
    {
        NoAnimation,
        SlideAnimation
    };
    Q_ENUM(AnimationType)

    using QObject::QObject;
};
