// Tree commands: keys and the pop-up menu of the trees, switching between the two trees.
#include "app/Unit2.h"

void TForm2::N71Click() {}
void TForm2::N25Click() {}
void TForm2::N21Click() {}
void TForm2::N86Click() {}
void TForm2::StaticText1Click() {}
void TForm2::Label3Click() { N71Click(); }
void TForm2::TreeViewaKeyUp(int) {}
void TForm2::TreeViewbKeyUp(int) {}
void TForm2::TreeViewaMouseDown(Qt::MouseButton, const QPoint &) {}
void TForm2::TreeViewbMouseDown(Qt::MouseButton, const QPoint &) {}
