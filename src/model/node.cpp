#include "model/node.h"

#include "model/build_context.h"
#include "model/content_loader.h"
#include "model/web_site.h"
#include "platform/file_access.h"
#include "platform/strings.h"

namespace velmora {

CNode::CNode(CWebSite* pSite) : m_pSite(pSite) {
  if (pSite)
    m_strCatalog = pSite->m_strCatalog;
}

CBuildContext& CNode::Context() const {
  return m_pSite->m_context;
}

CNode::~CNode() = default;

bool CNode::ParseLine(const std::string&) {
  m_bValid = true;
  return true;
}

bool CNode::LoadLocal() {
  if (m_strLocalPath.empty())
    return false;
  return Context().files.ReadSourceText(m_strLocalPath, m_strContent);
}

// A path with "?" comes from a web address with a query and has no sound file name.
bool CNode::HasStorablePath() const {
  return !m_strLocalPath.empty() && !Contains(m_strLocalPath, "?");
}

bool CNode::StoreLocal() {
  return HasStorablePath() && Context().files.WriteTextFile(m_strLocalPath, m_strContent);
}

void CNode::AddBasedOn(const std::string& entry) {
  std::string trimmed = Trim(entry);
  if (!trimmed.empty())
    m_basedOn.push_back(std::move(trimmed));
}

void CNode::AddBlock(size_t nIndex) {
  m_blockIndexes.push_back(nIndex);
}

std::string CNode::GetContent() {
  if (m_strContent.empty() && !LoadContent(*this))
    return {};
  return m_strContent;
}

void CNode::SetContent(const std::string& content) {
  m_strContent = content;
}

bool CNode::HasOption(char cLetter) const {
  return m_strOption.find(cLetter) != std::string::npos;
}

CNode* CNode::Top() {
  CNode* p = this;
  while (p->m_pParent) p = p->m_pParent;
  return p;
}

bool CNode::IsBelow(const CNode* pAncestor) const {
  for (const CNode* p = m_pParent; p; p = p->m_pParent)
    if (p == pAncestor)
      return true;
  return false;
}

}  // namespace velmora
