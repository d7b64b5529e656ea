#pragma once

#include <QList>
#include <QString>

#include <utility>

// One thing found wrong with a media file. A problem keeps the program from
// showing or playing the file as meant; a warning is worth fixing, but the
// file still works.
struct Finding
{
    enum class Kind { Problem, Warning };

    Kind kind;
    QString text;

    static Finding problem(QString text) { return {Kind::Problem, std::move(text)}; }
    static Finding warning(QString text) { return {Kind::Warning, std::move(text)}; }
};

using Findings = QList<Finding>;
