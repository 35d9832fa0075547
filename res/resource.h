/* Resource identifiers shared by veilux.rc and the C++ sources: plain numbers,
   so that the portable core can include it too. */
#ifndef VEILUX_RESOURCE_H
#define VEILUX_RESOURCE_H

/* Icons */
#define IDI_APP 107 /* app icon; tray icon while hidden files are hidden */
#define IDI_TRAY_VISIBLE 110 /* tray icon while hidden files are shown */

/* PNG images (resource type "PNG") */
#define IDB_LINK_HOME 200 /* 16x16 RGBA house glyph */
#define IDB_LINK_CAMERA 201 /* 16x16 RGBA camera glyph */
#define IDB_MAKER_LOGO 202 /* 32x32 RGB Orv Software logo */
#define IDB_DONATE 203 /* 100x30 RGB "Donate" button */
/* The same four drawn at 1.5x (150 %) and 2x (200 %): the 1x id plus 10 or 20 */
#define IDB_SCALED_150_OFFSET 10
#define IDB_SCALED_200_OFFSET 20
#define IDB_LINK_HOME_150 210
#define IDB_LINK_CAMERA_150 211
#define IDB_MAKER_LOGO_150 212
#define IDB_DONATE_150 213
#define IDB_LINK_HOME_200 220
#define IDB_LINK_CAMERA_200 221
#define IDB_MAKER_LOGO_200 222
#define IDB_DONATE_200 223

#endif /* VEILUX_RESOURCE_H */
