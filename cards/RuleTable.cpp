#include "cards/RuleTable.h"

#include <algorithm>

namespace kst {

bool RuleTable::set(int index, std::int16_t value)
{
    if (!valid(index))
        return false;
    m_values[std::size_t(index)] = value;
    return true;
}

void RuleTable::clear()
{
    m_values.fill(0);
    m_saved.fill(0);
}

void RuleTable::saveRuleBlock()
{
    const auto tableau = m_values.begin() + Rule::TableauEmptyRule;
    const auto ranks = m_values.begin() + Rule::BaseRank;
    const auto next = std::copy(tableau, tableau + Rule::MaxTableaus, m_saved.begin());
    std::copy(ranks, ranks + Rule::MaxFoundations, next);
}

void RuleTable::restoreRuleBlock()
{
    const auto split = m_saved.begin() + Rule::MaxTableaus;
    std::copy(m_saved.begin(), split, m_values.begin() + Rule::TableauEmptyRule);
    std::copy(split, m_saved.end(), m_values.begin() + Rule::BaseRank);
}

} // namespace kst
