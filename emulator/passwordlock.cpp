#include "passwordlock.h"

PasswordLock::PasswordLock(quint32 password) : m_password(password), m_locked(password != 0) {}

PasswordLock::Answer PasswordLock::enter(quint32 password)
{
    if (m_password == 0)
        return Answer::Entered; // nothing to unlock
    m_locked = password != m_password;
    return m_locked ? Answer::Refused : Answer::Entered;
}

PasswordLock::Answer PasswordLock::set(quint32 password)
{
    // The tool's probe offers its stored password: "not protected" is Set,
    // "right password" Entered, "protected" Refused.
    if (m_password == 0) {
        if (password != 0) {
            m_password = password;
            m_locked = true; // a new password protects at once
        }
        return Answer::Set;
    }
    if (m_locked) {
        if (password != m_password)
            return Answer::Refused;
        m_locked = false;
        return Answer::Entered;
    }
    if (password == m_password)
        return Answer::Entered;
    m_password = password; // zeros remove it
    m_locked = password != 0;
    return Answer::Set;
}
