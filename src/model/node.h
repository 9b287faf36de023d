// CNode: the common base of pages, blocks, templates and the outline root. It holds the
// location split into its kinds, the page-line fields, the content and the outline links.
// The steps of the build that work on nodes are free functions of the layers they belong to.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "markup/tag_element.h"
#include "platform/disk.h"

namespace velmora {

class CWebSite;
class CPage;
class CBuildContext;

class CNode {
 public:
  explicit CNode(CWebSite* pSite);
  virtual ~CNode();
  CNode(const CNode&) = delete;
  CNode& operator=(const CNode&) = delete;

  // The context of the node's site.
  CBuildContext& Context() const;

  // Reads a script line or location into the node; each kind of node has its own.
  virtual bool ParseLine(const std::string& line);
  // Reads the node's own file in the site catalog into the content.
  bool LoadLocal();
  bool StoreLocal();
  // Whether the local path can name a file that StoreLocal writes.
  bool HasStorablePath() const;
  bool SetLocation(const std::string& location);
  void AddBasedOn(const std::string& entry);
  void AddBlock(size_t nIndex);
  // The content, read by the content loader (LoadContent) when there is none yet.
  std::string GetContent();
  void SetContent(const std::string& content);

  // Set by the content loader: the text came from the local copy of content from outside
  // the site, because it could not be fetched, or not read where it lies.
  bool m_bLoadedCopy = false;

  // Outline navigation. The sequence is the pre-order walk from the top.
  CNode* Top();
  CNode* NextInSequence();
  CNode* PreviousInSequence();
  // The next and previous nodes in the sequence that have a local path or option N.
  CNode* NextPage();
  CNode* PreviousPage();
  bool IsBelow(const CNode* pAncestor) const;
  bool HasOption(char cLetter) const;

  CNode* m_pParent = nullptr;
  std::vector<CNode*> m_children;  // not owned
  std::string m_strFileName;
  std::string m_strLocalPath;
  std::string m_strRemotePath;
  std::string m_strUrl;
  std::string m_strOutsidePath;
  std::string m_strName;
  int m_nLevel = -1;
  std::string m_strType;
  std::string m_strAuthor;
  std::string m_strMessage;
  std::string m_strOption;
  std::string m_strNumber;
  std::vector<std::string> m_basedOn;
  std::vector<size_t> m_blockIndexes;  // wide indexes: sites may have more than 65,535 blocks
  CPage* m_pPage = nullptr;
  std::string m_strContent;
  std::string m_strCatalog;
  CWebSite* m_pSite = nullptr;
  std::vector<std::unique_ptr<CTagElement>> m_tags;
  bool m_bValid = false;

  // Position in the site's prepared outline sequence; -1 outside the outline.
  long m_nSequence = -1;
};

class CPage : public CNode {
 public:
  CPage(CWebSite* pSite, const std::string& line);
  explicit CPage(CWebSite* pSite) : CNode(pSite) {}
  bool ParseLine(const std::string& line) override;
};

class CBlock : public CNode {
 public:
  CBlock(CWebSite* pSite, CPage* pPage, const std::string& location);
  bool ParseLine(const std::string& line) override;
};

class CTemplate : public CNode {
 public:
  explicit CTemplate(CWebSite* pSite) : CNode(pSite) {}
  // The location of a template; one from elsewhere gets its local copy in the "templates"
  // folder of the site. False when the location gives no path for the template.
  bool ParseLine(const std::string& location) override;

  // The text of the last read and the stamp its file had then (LoadTemplate).
  bool m_bKept = false;
  CFileStamp m_keptStamp;
  std::string m_strKeptText;
};

}  // namespace velmora
