#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

#include <algorithm>

namespace qv {

    // Screens address their controls by name and index ("SSCommand11", area button 3). Every member
    // of such an array carries the array's name as its objectName and its index as a property, so
    // tests and the screens' own code find it the same way.
    inline constexpr const char* ControlIndexProperty = "controlIndex";

    inline void setControlName(QObject* control, const QString& name, int index)
    {
        control->setObjectName(name);
        control->setProperty(ControlIndexProperty, index);
    }

    inline int controlIndex(const QObject* control)
    {
        const QVariant v = control->property(ControlIndexProperty);
        return v.isValid() ? v.toInt() : -1;
    }

    template <typename T> T* controlAt(const QObject* root, const QString& name, int index)
    {
        const QList<T*> all = root->findChildren<T*>(name);
        const auto it = std::find_if(all.begin(), all.end(), [index](T* c) { return controlIndex(c) == index; });
        return it == all.end() ? nullptr : *it;
    }

    // The members of an array in index order.
    template <typename T> QList<T*> controlArray(const QObject* root, const QString& name)
    {
        QList<T*> all = root->findChildren<T*>(name);
        std::sort(all.begin(), all.end(), [](T* a, T* b) { return controlIndex(a) < controlIndex(b); });
        return all;
    }

} // namespace qv
