#pragma once
// A fresh engine in a temporary work folder, a short way to build a grammar through the
// builder entries, and reading back the files the engine wrote.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine.h"
#include "support/work_folder.h"

namespace mv::testing {

// Language codes of the targets.
enum Language : int32_t {
  VisualBasic = 1, Fortran90 = 3, Fortran77 = 4, Java = 5, Pascal = 7, CppProcedural = 8,
  CppClass = 9,
};

class EngineFixture : public ::testing::Test {
protected:
  void SetUp() override {
    Start(VisualBasic);
  }
  void TearDown() override {
    eng.reset();
  }

  // A new run in the work folder.
  void Start(int32_t language) {
    eng->BnfParserInit(language, folder.string(), 0, 0, 0);
    b().BKSACT();
  }

  Builder& b() { return eng->builder; }
  Output& out() { return eng->out; }

  void Name(const std::string& text) {
    b().BKSNAI();
    for (unsigned char c : text) b().BKSSYM(c);
  }

  // One rule: each alternative is a list of items, "<X>" a nonterminal, "`a`" an action,
  // "" the empty element, anything else one terminal spelled by the whole text.
  void Rule(const std::string& head, const std::vector<std::vector<std::string>>& alts) {
    Name(head);
    b().BKSNLI();
    b().BKSGMN();
    for (const auto& alt : alts) {
      b().BKSNL();
      for (const std::string& item : alt) {
        if (item.empty()) {
          b().BKSNUL();
        } else if (item.size() > 2 && item.front() == '<' && item.back() == '>') {
          Name(item.substr(1, item.size() - 2));
          b().BKSNTM();
        } else if (item.size() > 2 && item.front() == '`' && item.back() == '`') {
          Name(item.substr(1, item.size() - 2));
          b().BKSACR();
        } else {
          Name(item);
          b().BKSTRM();
        }
      }
      b().BKSEND();
    }
  }

  // An action definition with its text lines.
  void Action(const std::string& name, const std::vector<std::string>& lines) {
    Name(name);
    b().BKSACL();
    for (const std::string& line : lines) {
      b().BKSACB();
      for (unsigned char c : line) b().BKSSTS(c);
      b().BKSSTM();
    }
  }

  Chain Grammar() const { return eng->store.Grammar; }

  std::string ReadFile(const std::string& name) const {
    std::ifstream in(folder / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  bool Exists(const std::string& name) const { return std::filesystem::exists(folder / name); }

  // A numbered listing line: a blank, the number in six columns, ten blanks and the text.
  static std::string Numbered(int n, const std::string& text) {
    std::string number = std::to_string(n);
    return " " + std::string(6 - number.size(), ' ') + number + std::string(10, ' ') + text +
           "\n";
  }

  std::unique_ptr<Engine> eng = std::make_unique<Engine>();
  test_support::WorkFolder work{"engine-test"};
  const std::filesystem::path& folder = work.Path();
};

}  // namespace mv::testing
