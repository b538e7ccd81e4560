#include "core/apptexts.h"

#include <utility>

namespace ryv {

std::vector<std::pair<QString, QString*>> TAppTexts::Table()
{
#define RYV_TEXT(id)                                                                               \
    {                                                                                              \
        QStringLiteral(#id), &id                                                                   \
    }
    return {
        RYV_TEXT(files_csv),
        RYV_TEXT(files_html),
        RYV_TEXT(files_pdf),
        RYV_TEXT(str_app_clipboard),
        RYV_TEXT(str_app_favs),
        RYV_TEXT(str_app_prevtask),
        RYV_TEXT(str_app_recent),
        RYV_TEXT(str_clearlist),
        RYV_TEXT(str_daily_total),
        RYV_TEXT(str_deleteitem),
        RYV_TEXT(str_excludedsrcs),
        RYV_TEXT(str_excludesrc),
        RYV_TEXT(str_excludesrc_hint),
        RYV_TEXT(str_groupmask),
        RYV_TEXT(str_groupname),
        RYV_TEXT(str_newtaskonclick),
        RYV_TEXT(str_nosuggestions),
        RYV_TEXT(str_notasksthisday),
        RYV_TEXT(str_others),
        RYV_TEXT(str_pause),
        RYV_TEXT(str_report),
        RYV_TEXT(str_tasknumb),
        RYV_TEXT(str_total),
        RYV_TEXT(str_version),
        RYV_TEXT(str_qtversion),
        RYV_TEXT(str_license),
        RYV_TEXT(str_homepage),
        RYV_TEXT(str_away_question),
        RYV_TEXT(str_away_keep),
        RYV_TEXT(str_away_break),
        RYV_TEXT(str_away_stop),
        RYV_TEXT(str_clockback_question),
        RYV_TEXT(str_clockback_keep),
        RYV_TEXT(str_tray_notask),
        RYV_TEXT(str_tray_start),
        RYV_TEXT(str_tray_stop),
        RYV_TEXT(str_tray_show),
        RYV_TEXT(str_tray_exit),
        RYV_TEXT(files_json),
        RYV_TEXT(str_chart_days),
        RYV_TEXT(str_chart_groups),
        RYV_TEXT(str_chart_tasks),
        RYV_TEXT(str_file_cannotread),
        RYV_TEXT(str_file_empty),
        RYV_TEXT(str_file_openquote),
        RYV_TEXT(str_file_cannotwrite),
        RYV_TEXT(str_folder_cannotcreate),
        RYV_TEXT(str_file_keptas),
        RYV_TEXT(str_file_notkept),
        RYV_TEXT(str_file_leftasis),
        RYV_TEXT(str_settings_cannotload),
        RYV_TEXT(str_settings_cannotsave),
        RYV_TEXT(str_data_cannotload),
        RYV_TEXT(str_data_cannotsave),
        RYV_TEXT(str_history_cannotload),
        RYV_TEXT(str_history_cannotsave),
        RYV_TEXT(str_workspace_cannotload),
        RYV_TEXT(str_workspace_cannotsave),
        RYV_TEXT(str_file_cannotsave),
        RYV_TEXT(str_file_unreadable),
        RYV_TEXT(str_file_unwritable),
        RYV_TEXT(str_invalidmask),
        RYV_TEXT(str_pdf_noconverter),
        RYV_TEXT(str_pdf_convertercode),
        RYV_TEXT(str_pdf_notrendered),
        RYV_TEXT(str_pdf_nogui),
        RYV_TEXT(str_pdf_incomplete),
        RYV_TEXT(str_output_notfile),
        RYV_TEXT(str_program_timeout),
        RYV_TEXT(str_file_nodate),
        RYV_TEXT(str_file_setaside),
        RYV_TEXT(str_file_cannotsetaside),
        RYV_TEXT(str_file_noheader),
        RYV_TEXT(str_file_notregular),
        RYV_TEXT(str_file_toolarge),
    };
#undef RYV_TEXT
}

namespace {

const TAppTexts*& InForce()
{
    static const TAppTexts* texts = nullptr;
    return texts;
}

} // namespace

const TAppTexts& AppTexts()
{
    static const TAppTexts defaults;
    const TAppTexts* texts = InForce();
    return texts ? *texts : defaults;
}

TAppTextsScope::TAppTextsScope(TAppTexts texts)
    : FTexts(std::move(texts))
    , FPrevious(InForce())
{
    InForce() = &FTexts;
}

TAppTextsScope::~TAppTextsScope()
{
    InForce() = FPrevious;
}

} // namespace ryv
