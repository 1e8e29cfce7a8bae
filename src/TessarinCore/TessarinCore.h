#ifndef TESSARIN_CORE_H
#define TESSARIN_CORE_H

/*
 * The Spaces bridge: reads the window server's Space layout, switches Spaces by posting
 * synthetic Dock swipe gestures, and remembers each posted switch for a short while so that
 * readers can show it before the Dock has finished.
 *
 * Conventions: functions with "copy" in the name return something the caller releases with
 * the matching tessarin_release_* function; "get" functions zero the caller's record first and
 * return whether they filled it. Every function checks that the system calls it needs are
 * available and returns false or nothing otherwise. Failures are written to standard error
 * prefixed "TessarinCore: ".
 */

#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct TessarinSpaceInfo {
    uint32_t currentIndex;   /* position of the current Space in the system's order */
    uint32_t spaceCount;     /* number of Spaces of the display */
    uint64_t currentSpaceID; /* 0 when there is none */
} TessarinSpaceInfo;

typedef uint32_t TessarinDirection;
enum {
    TessarinDirectionLeft = 0,
    TessarinDirectionRight = 1,
    TessarinDirectionUp = 2,
    TessarinDirectionDown = 3
};

/* A system keyboard shortcut: key code, the character it types and event modifier flags. */
typedef struct TessarinSymbolicShortcut {
    uint16_t virtualKeyCode;
    uint16_t keyEquivalent;
    uint64_t modifierFlags;
} TessarinSymbolicShortcut;

/* The Space IDs of one window. */
typedef struct TessarinSpaceIDList {
    uint32_t count;
    uint64_t* spaceIDs;
} TessarinSpaceIDList;

/* Titles of Spaces in system order. */
typedef struct TessarinSpaceTitleList {
    uint32_t count;
    char** titles;
} TessarinSpaceTitleList;

/* The window server's managed display Spaces (opaque). */
typedef struct TessarinManagedDisplaySpaces TessarinManagedDisplaySpaces;

/* Life cycle of the process-wide switch-prediction table. */
bool tessarin_init(void);
void tessarin_destroy(void);

/* Space information. The plain readers show a switch posted less than 1.0 s ago as already
 * done; the live readers do not. The unnamed variants read the display under the pointer. */
bool tessarin_get_space_info(TessarinSpaceInfo* info);
bool tessarin_get_space_info_for_display_identifier(const char* displayIdentifier,
                                                    TessarinSpaceInfo* info);
bool tessarin_get_live_space_info(TessarinSpaceInfo* info);
bool tessarin_get_live_space_info_for_display_identifier(const char* displayIdentifier,
                                                         TessarinSpaceInfo* info);
bool tessarin_get_menubar_space_info(TessarinSpaceInfo* info);

/* Display identifiers (UUID strings, or "Main" for Spaces shared by all displays). */
char* tessarin_copy_cursor_display_identifier(void);
char* tessarin_copy_active_menu_bar_display_identifier(void);
char* tessarin_copy_display_identifier_with_spaces(void);
bool tessarin_displays_have_separate_spaces(uint32_t screenCount);

/* The managed display Spaces and the number of per-display Space lists in them. */
TessarinManagedDisplaySpaces* tessarin_copy_managed_display_spaces(void);
uint32_t tessarin_count_space_display_lists_in_managed_display_spaces(
    const TessarinManagedDisplaySpaces* spaces);
void tessarin_release_managed_display_spaces(TessarinManagedDisplaySpaces* spaces);
/* The live Space information of one display in managed display Spaces already copied, so a pass
 * over every display copies the layout once. */
bool tessarin_get_live_space_info_for_display_identifier_in_managed_display_spaces(
    const TessarinManagedDisplaySpaces* spaces, const char* displayIdentifier,
    TessarinSpaceInfo* info);

/* Titles of Spaces by system index. */
char* tessarin_copy_space_title_for_display_identifier_and_index(const char* displayIdentifier,
                                                                 uint32_t index);
char* tessarin_copy_space_title_for_index(uint32_t index);
/* The titles of all a display's Spaces by system index (NULL: none), with one read of the layout
 * and of the Spaces configuration; NULL when the display's Spaces cannot be read. */
TessarinSpaceTitleList*
tessarin_copy_space_titles_for_display_identifier(const char* displayIdentifier);
void tessarin_release_space_title_list(TessarinSpaceTitleList* list);

/* Spaces holding a window; safe to call off the main thread. */
TessarinSpaceIDList* tessarin_copy_space_ids_for_window_id(uint32_t windowID);
void tessarin_release_space_id_list(TessarinSpaceIDList* list);

void tessarin_release_string(char* string);

bool tessarin_is_mission_control_active(void);

/* Switching. */
void tessarin_reset_switch_predictions(void);
bool tessarin_resolve_target_index_with_wrap_style(TessarinSpaceInfo info,
                                                   TessarinDirection direction, bool gridMode,
                                                   uint32_t columnCount, bool blocksAtEdges,
                                                   bool pacMan, uint32_t* targetIndex);
bool tessarin_switch_to_index(uint32_t index);
bool tessarin_switch_to_index_on_display_identifier(const char* displayIdentifier, uint32_t index);
uint32_t tessarin_current_space_switch_post_variant(void);

/* Tags of the bridge's synthetic gesture events: source user data and private source tag. */
uint32_t tessarin_synthetic_event_user_data(void);
int64_t tessarin_synthetic_event_private_source_tag(void);

/* The enabled system shortcut that switches to Desktop 1 to 16, if any. */
bool tessarin_get_switch_to_desktop_shortcut(uint32_t desktopNumber,
                                             TessarinSymbolicShortcut* shortcut);

#ifdef __cplusplus
}

inline bool operator==(const TessarinSpaceInfo& a, const TessarinSpaceInfo& b) {
    return a.currentIndex == b.currentIndex && a.spaceCount == b.spaceCount &&
           a.currentSpaceID == b.currentSpaceID;
}
inline bool operator==(const TessarinSymbolicShortcut& a, const TessarinSymbolicShortcut& b) {
    return a.virtualKeyCode == b.virtualKeyCode && a.keyEquivalent == b.keyEquivalent &&
           a.modifierFlags == b.modifierFlags;
}
#endif

#endif
