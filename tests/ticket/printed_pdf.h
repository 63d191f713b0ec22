#pragma once

#include <QList>
#include <QString>

// A printed PDF as the words that stand on it, read with pdftotext -bbox
// (poppler-utils), and its fonts as pdffonts lists them.
struct PdfWord
{
    int page = 0; // from 0
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;
    QString text;
};

// Fails the test (and gives nothing) when the tool is missing or fails.
QList<PdfWord> pdfWords(const QString& pdf);

struct PdfFont
{
    QString name;
    bool embedded = false;
};
QList<PdfFont> pdfFonts(const QString& pdf);
