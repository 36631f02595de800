#pragma once

#include <QtGlobal>

// A numeric password that locks a device's settings (0: none). Two requests
// work it, both with the password as four bytes, most significant first:
// "enter" (0xF8 on a sensor or a base) and "set" (0xF7), which doubles as the
// tool's probe. The answer is one of three codes: the password was entered
// (0xF8), the device is not protected or took a new password (0xF7), or it
// is protected and the password was wrong (0xFD).
class PasswordLock
{
public:
    enum class Answer {
        Entered,   // right password, or nothing to unlock
        Set,       // not protected, a new password, or the password removed
        Refused,   // protected, and the password was wrong
    };

    explicit PasswordLock(quint32 password = 0);

    Answer enter(quint32 password);
    Answer set(quint32 password);
    // A restart forgets the password entered: locked again if there is one.
    void lockAgain() { m_locked = m_password != 0; }

    quint32 password() const { return m_password; }
    bool isLocked() const { return m_locked; }

private:
    quint32 m_password;
    bool m_locked;
};
