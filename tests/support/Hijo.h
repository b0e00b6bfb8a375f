#pragma once
// The child widget of a window by its object name; a test failure when there is none.
#include <gtest/gtest.h>

#include <QObject>
#include <QString>

namespace pasaplan::prueba {

template <typename T>
T* Hijo(QObject& padre, const char* nombre) {
    T* hijo = padre.findChild<T*>(QString::fromLatin1(nombre));
    EXPECT_NE(hijo, nullptr) << "falta el control " << nombre;
    return hijo;
}

}  // namespace pasaplan::prueba
