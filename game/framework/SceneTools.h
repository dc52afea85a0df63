#ifndef SORCA_SCENE_TOOLS_H
#define SORCA_SCENE_TOOLS_H
/*
 * Small helpers that the menu and the rooms share for driving their
 * buttons and panels.
 */
#include <initializer_list>

#include "GameObject.h"
#include "ScreenRect.h"
#include "Sprite.h"

/* Button frames: the plain image, the one shown under the cursor, and the
 * full-window panel of a button that opens one. */
const int kButtonFrameNormal = 0;
const int kButtonFrameHighlight = 1;
const int kButtonFramePanel = 2;

/* Moves the object to (x, y), world units. */
inline void Place(GameObject* object, double x, double y) {
  object->posX = x;
  object->posY = y;
}

/* Gives the object the size width x height, world units. */
inline void Resize(GameObject* object, double width, double height) {
  object->width = width;
  object->height = height;
}

/* Gives every object of the list the same transparency. */
inline void SetTransparency(std::initializer_list<GameObject*> objects, float transparency) {
  for (GameObject* object : objects) object->SetTransparency(transparency);
}

/* Shows the button's highlight while the cursor (window pixels) is inside
 * its rectangle, its plain image otherwise; true when the cursor is inside. */
inline bool HoverButton(Sprite* button, const ScreenRect& rect, int x, int y) {
  const bool over = rect.Contains(x, y);
  button->SetFrame(over ? kButtonFrameHighlight : kButtonFrameNormal);
  return over;
}

#endif
