#pragma once

// The criterion pages in page order: 0 keyword, 1 file name, 2 file type, 3 file size, 4 file date, 5 image size,
// 6 folders by date.
enum CriterionPage { KeywordPage = 0, NamePage, TypePage, SizePage, DatePage, ImagePage, DateFoldersPage, PageCount };
