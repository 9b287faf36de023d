// CNode: the common base of pages, blocks, templates and the outline root. It holds the
// location split into its kinds, the page-line fields, the content and the outline links.
// The virtual operations are defined next to the step of the system they belong to.
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

  virtual bool ParseLine(const std::string& line);
  virtual bool LoadLocal();
  // Page-only build step: points "gfx" references at the resources from the page's folder.
  virtual void CorrectGfxReferences() {}
  // Image reference correction; each returns the number of references rewritten in text.
  virtual int FetchRemoteImages(std::string& text);
  virtual int CopyOutsideImages(std::string& text);
  virtual int CheckBlockImages(std::string& text);
  virtual bool StoreLocal();
  // Whether the local path can name a file that StoreLocal writes.
  bool HasStorablePath() const;
  virtual bool SetLocation(const std::string& location);
  // The anchor written before a page's first printable section in a print page.
  enum class EPrintAnchor { kNone, kName, kId };
  virtual std::string ExtractPrintableSections(const std::string& printPagePath, bool bTextOnly,
                                               bool bKeepLinks, EPrintAnchor anchor);
  virtual void AddBasedOn(const std::string& entry);
  virtual void AddBlock(size_t nIndex);
  virtual std::string GetContent();
  virtual void SetContent(const std::string& content);
  virtual bool Load();  // the content loader
  virtual bool Build();
  virtual void CheckPage() {}
  virtual void MakePrintPage() {}
  virtual void Finish() {}

  // Content fetched from a web address (when online) or read from another drive: its images
  // are fetched or copied into the site and pointed at from the node's own file, which is how
  // the local copy keeps them. Returns the number of references rewritten in text.
  int LocaliseImages(std::string& text);
  // Points the images of a block's text at their files from the host page: for content from
  // outside the site those beside its local copy (with bReportMissing, a missing one is
  // reported), for a block of the site what CheckAllImages finds. Returns the number rewritten.
  int PointImagesFromHost(std::string& text, bool bReportMissing);
  // The images of a local copy, found from its own place, pointed at from the host page.
  int RepointImageCopies(std::string& text, bool bReportMissing);
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

 private:
  // The image operations, with new references made from the file `from`.
  int FetchImagesFrom(const std::string& from, std::string& text);
  int CopyImagesFrom(const std::string& from, std::string& text);
};

class CPage : public CNode {
 public:
  CPage(CWebSite* pSite, const std::string& line);
  explicit CPage(CWebSite* pSite) : CNode(pSite) {}
  bool ParseLine(const std::string& line) override;
  void CorrectGfxReferences() override;
  bool Load() override;
  bool Build() override;
  void CheckPage() override;
  void MakePrintPage() override;
  void Finish() override;
  // Rewrites links by page name into relative references (CheckNameRefs).
  int CorrectNameRefs(std::string& text);
  // Merges the page's blocks into its content, which holds the template text.
  void PlaceBlocks();
  // Replaces the content by the missing-page text naming this page; writes it when bStore.
  void MakeMissingPage(bool bStore);
};

class CBlock : public CNode {
 public:
  CBlock(CWebSite* pSite, CPage* pPage, const std::string& location);
  bool ParseLine(const std::string& line) override;
  bool Load() override;
  // The text of a block whose file is missing (written for the user to edit) or empty.
  void MakeDefaultBlock(bool bMissing);
};

class CTemplate : public CNode {
 public:
  explicit CTemplate(CWebSite* pSite) : CNode(pSite) {}
  // The type goes into m_strName; m_bValid tells whether the location gave a usable template.
  // bNamed: the location comes from an ATEMPLATE= line rather than the template catalog.
  CTemplate(CWebSite* pSite, const std::string& type, const std::string& location,
            bool bNamed = false);
  bool ParseLine(const std::string& location) override;
  // Puts the built-in default for the type into the content; false for a type without one.
  bool MakeDefaultText(const std::string& type);
  // Read again for every use, so that edits take effect at once; a file whose stamp has not
  // changed since the last read gives the text of that read.
  bool Load() override;

 private:
  bool m_bNamed = false;
  bool m_bKept = false;
  CFileStamp m_keptStamp;
  std::string m_strKeptText;
};

}  // namespace velmora
