#include "transport/catalogues.h"

#include <cstddef>
#include <cstdio>

namespace korven {
namespace {

struct NamedId {
    int id;
    const char* name;
};

constexpr NamedId kNormalNames[] = {
    {15, "NORMAL_DGP_DATE"},  {16, "NORMAL_DURATION"},  {18, "NORMAL_DGP_MSG"},    {19, "NORMAL_DGP_LCD"},
    {20, "NORMAL_DGP_TONE"},  {21, "NORMAL_DGP_VOL"},   {22, "NORMAL_DGPBRNG"},    {23, "NORMAL_DGPBTON"},
    {24, "NORMAL_DGPRING"},   {25, "NORMAL_DGPINST"},   {34, "NORMAL_DGPRINGLED"}, {37, "NORMAL_PAGE_ALL"},
    {62, "NORMAL_DISP_INFO"}, {71, "NORMAL_DSP_VALUE"},
};

constexpr NamedId kLargeNames[] = {
    {0, "LARGE_INITIAL_END"},      {1, "LARGE_VERS_CHECK"},       {2, "LARGE_CALL_RESP"},
    {3, "LARGE_CALL_STATUS"},      {4, "LARGE_IDLE_STATUS"},      {5, "LARGE_CALL_NUMBER"},
    {7, "LARGE_DIAL_NUMBER"},      {9, "LARGE_PHONE_DB0"},        {10, "LARGE_PHONE_DB1"},
    {11, "LARGE_PHONE_DB2"},       {12, "LARGE_PHONE_DB3"},       {13, "LARGE_ONOFF_DISP"},
    {14, "LARGE_PROGRAM_MSG"},     {15, "LARGE_VDIAL_NUMBER"},    {17, "LARGE_SOFT_MENU"},
    {18, "LARGE_SOFT_LIST"},       {19, "LARGE_PROG_KEY"},        {20, "LARGE_SOFT_ENBLOC"},
    {21, "LARGE_KEY_ENBLOC"},      {22, "LARGE_CONF_START"},      {23, "LARGE_CONF_END"},
    {24, "LARGE_CONF_GROUP"},      {26, "LARGE_CONF_STATUS"},     {28, "LARGE_CONF_TRANS"},
    {29, "LARGE_IDLE_SCREEN"},     {30, "LARGE_LED_DATA"},        {31, "LARGE_SPOT_NEWS"},
    {32, "LARGE_SPOT_CALL"},       {34, "LARGE_EXEC_TEXT_MSG"},   {35, "LARGE_EXEC_TEXT_RECV"},
    {36, "LARGE_EXEC_TEXT_START"}, {37, "LARGE_SMS_RECV"},        {38, "LARGE_SMS_SEND"},
    {39, "LARGE_SMS_OPEN"},        {40, "LARGE_SMS_CLEAR"},       {41, "LARGE_SMS_TEXT"},
    {42, "LARGE_SMS_ALLREQ"},      {49, "LARGE_SYS_RESET"},       {50, "LARGE_SMS_SEND"},
    {51, "LARGE_AUDIO_CTRL"},      {52, "LARGE_CALL_DISCONNECT"}, {53, "LARGE_MISSED_CALL"},
    {54, "LARGE_LINK_TEST"},       {55, "LARGE_SPOT_CHOICE"},     {57, "LARGE_SPOT_INFO"},
    {58, "LARGE_EXEC_STATE"},      {59, "LARGE_EXEC_FIXED"},      {60, "LARGE_EXEC_DATA"},
    {62, "LARGE_ERROR_RESP"},      {63, "LARGE_DISP_INFO"},       {64, "LARGE_SMS_SENDED"},
    {66, "LARGE_SMS_CANCELED"},    {67, "LARGE_BGM_STATE"},       {71, "LARGE_IDLE_DISP"},
    {72, "LARGE_EXEC_TEXT_READ"},  {73, "LARGE_AOM_DISP"},        {80, "LARGE_VIDEO_CTRL"},
    {84, "LARGE_PHONE_DB5"},       {102, "LARGE_LCDKEY_MODE"},    {103, "LARGE_VOL_WINDOW"},
    {104, "LARGE_VIDEO_RESEND"},   {118, "LARGE_SOFT_IDLE"},      {125, "LARGE_PHONE_DB5_IAP"},
    {160, "LARGE_GK_RESTART"},     {162, "LARGE_DB_UPDATE"},
};

constexpr NamedId kWideNames[] = {
    {0, "WIDE_EVENT_DATA"},      {1, "WIDE_PHONE_START"},    {2, "WIDE_INITIAL_REQ"},  {3, "WIDE_UPGRADE_LOCK"},
    {4, "WIDE_PROGRAM_BUSY"},    {5, "WIDE_DIGIT_STR"},      {6, "WIDE_PHONE_DB0"},    {10, "WIDE_PROGRAM_MSG"},
    {11, "WIDE_VDIAL_NUMBER"},   {13, "WIDE_SOFT_KEY"},      {14, "WIDE_PROG_KEY"},    {15, "WIDE_CONF_GROUP"},
    {17, "WIDE_CONF_DIAL"},      {18, "WIDE_CONF_SET"},      {19, "WIDE_CONF_DELETE"}, {20, "WIDE_CONF_ADD"},
    {21, "WIDE_CONF_TRANS"},     {22, "WIDE_TEXT_MSG"},      {23, "WIDE_TEXT_SEND"},   {24, "WIDE_SMS_SEND"},
    {25, "WIDE_SMS_OPEN"},       {26, "WIDE_SMS_CLEAR"},     {27, "WIDE_SMS_TEXT"},    {28, "WIDE_RECV_SUCCESS"},
    {31, "WIDE_SMS_CANCEL"},     {32, "WIDE_TEXT_STOP"},     {33, "WIDE_SPOT_CHOICE"}, {34, "WIDE_EXEC_STATE"},
    {35, "WIDE_EXEC_DATA"},      {39, "WIDE_INITIAL_END"},   {40, "WIDE_IDLE_RESP"},   {41, "WIDE_TEXT_READ"},
    {54, "WIDE_LINK_TEST"},      {101, "WIDE_HANDSET_MODE"}, {102, "WIDE_TCP_START"},  {103, "WIDE_VIDEO_RESEND"},
    {125, "WIDE_PHONE_DB5_IAP"},
};

template <size_t N>
constexpr bool IdsAscendingBelow(const NamedId (&named)[N], int size) {
    for (size_t i = 0; i < N; ++i) {
        if (named[i].id < 0 || named[i].id >= size) return false;
        if (i > 0 && named[i].id <= named[i - 1].id) return false;
    }
    return true;
}

static_assert(IdsAscendingBelow(kNormalNames, kNormalCatalogueSize));
static_assert(IdsAscendingBelow(kLargeNames, kLargeCatalogueSize));
static_assert(IdsAscendingBelow(kWideNames, kWideCatalogueSize));

// Placeholder format of the ids below splitAt, and of the ids from it on.
struct PlaceholderRule {
    int splitAt;
    const char* below;
    const char* from;
};

// Longest placeholder: "-- 162" and its terminator.
constexpr size_t kPlaceholderCapacity = 8;

// Every id's name, placeholders included, built once.
template <int Size>
class Catalogue {
public:
    template <size_t N>
    Catalogue(const NamedId (&named)[N], PlaceholderRule rule) {
        for (int id = 0; id < Size; ++id) {
            std::snprintf(placeholders_[id], kPlaceholderCapacity, id < rule.splitAt ? rule.below : rule.from, id);
            names_[id] = placeholders_[id];
        }
        for (const NamedId& entry : named) names_[entry.id] = entry.name;
    }
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    const char* name(int id) const { return id >= 0 && id < Size ? names_[id] : nullptr; }

private:
    char placeholders_[Size][kPlaceholderCapacity];
    const char* names_[Size];
};

}  // namespace

const char* NormalMessageName(int id) {
    static const Catalogue<kNormalCatalogueSize> catalogue(kNormalNames, {kNormalCatalogueSize, "--%02d", "--%02d"});
    return catalogue.name(id);
}

const char* LargeMessageName(int id) {
    static const Catalogue<kLargeCatalogueSize> catalogue(kLargeNames, {kLargeCatalogueSize, "-- %d", "-- %d"});
    return catalogue.name(id);
}

const char* WideMessageName(int id) {
    static const Catalogue<kWideCatalogueSize> catalogue(kWideNames, {100, "--%d", "-%d"});
    return catalogue.name(id);
}

}  // namespace korven
