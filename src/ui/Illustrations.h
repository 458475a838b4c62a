#pragma once

#include <QPixmap>

// The pictures of the first three criterion pages, drawn at run time: files going into the folder that the
// criterion names.
QPixmap KeywordIllustration(); // 西游记.txt and 东游记.doc into 游记, by the keyword 游记
QPixmap NameIllustration();    // A.xls and A.doc into A, B.xls and B.doc into B
QPixmap TypeIllustration();    // documents into .doc, spreadsheets into .xls
