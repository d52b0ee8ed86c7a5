// The fixed top two levels of the catalogue: the eleven sections in tree order, each with its
// sub-categories as one "|"-separated list. The tree is built from it at start, and the
// importer accepts exactly these sections and sub-categories for a book.
#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

const std::vector<std::pair<QString, QString>> &catalogueSkeleton();

// The sub-categories of a section in list order; empty for a name that is no section.
QStringList skeletonCategories(const QString &section);

// The Taoist and Buddhist sections, whose books, chapters and body tables have their own id
// ranges (book ids from 50000, chapter ids from 810000, body tables from 50000).
bool isDaoFoSection(const QString &section);
