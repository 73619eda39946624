#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The camera reads single-byte Windows-1252 text. Characters the code page
// lacks take their closest equivalent ("best fit"), or '?' where none exists.
QByteArray EncodeCodePage(const QString &text);
QString DecodeCodePage(QByteArrayView bytes);
