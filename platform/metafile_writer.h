#pragma once
// Pictures for other programs: what a canvas draws, written as an enhanced or a placeable
// old-style metafile.
#include <functional>
#include <memory>

#include <QByteArray>
#include <QString>

#include "platform/canvas_targets.h"

enum class TMetafileFormat { Emf, Wmf };

// A canvas target that records what is drawn on it and writes it as a metafile of Width x Height
// pixels at 96 dpi. Finish() writes it as every file is written and answers false on failure.
std::unique_ptr<TMetafileSink> CreateMetafileWriter(TMetafileFormat Format, const QString& FileName,
                                                    int Width, int Height);

// The same picture as bytes, for the clipboard (EMF bytes go under "image/x-emf"); empty on
// failure.
QByteArray MetafileBytes(TMetafileFormat Format, int Width, int Height,
                         const std::function<void(TCanvas&)>& Paint);
