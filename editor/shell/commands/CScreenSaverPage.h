#pragma once
// What a new screen-saver page holds: a tag trigger that counts "SSAVER__" up with the
// system counter, and a dynamic image of eight pictures that shows it, centred.

#include <cstdint>
#include <string>
#include <string_view>

class CPage;
class CProject;
struct CPageSize;

class CScreenSaverPage {
public:
    static constexpr std::u16string_view kPageName = u"Screen saver page";
    static constexpr std::u16string_view kTag = u"SSAVER__";
    static constexpr std::u16string_view kCounterTag = u"sys_counter";
    static constexpr int32_t kPictureWidth = 600;
    static constexpr int32_t kPictureHeight = 232;
    static constexpr int32_t kImageCount = 8;

    // The tag made when missing, then both objects appended to page.
    static void Fill(CProject& project, CPage& page);
    // The eight picture references, each followed by the list separator.
    static const std::u16string& DefaultImages();

    struct Placement {
        int32_t left, top, right, bottom;
    };
    // 600 x 232 centred; a narrower page scales it to its width, a lower one cuts its height.
    static Placement PicturePlacement(const CPageSize& page);
};
