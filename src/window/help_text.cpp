#include "help_text.h"

namespace kwl {

std::string HelpText(const std::string& manualAddress) {
  const std::string paragraphs[] = {
      "An illustrated verson of this documentation (with a lot more information) can be found at " + manualAddress +
          ".  This help window may be resized for easier reading.",
      "This software scans a docx file or a text file, or text on the clipboard, and counts the number "
      "of occurrences of the different words. Text in most European languages is supported. "
      "The words which are found and displayed can be ordered alphabetically or by frequency.",
      "The input file can have any extension, "
      "but it must either be a docx file or consist only of text which is encoded via ANSI or UTF-8. "
      "If not a docx file then it cannot contain any bytes with ASCII values less than 32 except for "
      "bytes representing tabs, line feeds, etc.",
      "Text written in binary files such as pdf files (except docx files) cannot be processed "
      "by reading it directly from a file. In such a case open the document (with the appropriate application "
      "program), select all the text and copy it to the clipboard, then click on 'Count words' with 'clipboard' "
      "selected as the source.",
      "If the input file has one of the file extensions 'htm', 'html', 'shtml', 'xml' and 'php' "
      "then text within HTML, XML and PHP tags in the file is ignored.",
      "There is no limit on the size of an input text file, but there is a limit on the amount of text which "
      "can be held in the textbox, either by pasting from the clipboard or as a result of listing words found. "
      "This limit is normally something beyond 30,000 characters, so (in the case of a large file) only about "
      "1000 to 2000 words can appear in the list.  There is a limit on the amount of text in a docx file, but "
      "this program can handle docx files with over 1 MB of text.",
      "You can specify that the output be written to a file.  This can then be loaded into Excel for further "
      "processing.",
      "When working with large files containing many different words it is best to define an output file. "
      "Then the results will be written to this file before being displayed in the output window.  Thus the "
      "results will be available in the file even if the text box cannot contain them.",
      "Text may be composed in the textbox. To do a word count on this "
      "text you must first copy it to the clipboard.",
      "This program allows you to customize its operation so that just the words are counted "
      "in which you are interested.  Do this by clicking on 'Settings'.  Values set using this screen are saved "
      "on quitting and restored when the program is next run.",
      "You can tell the program to ignore common words in a particular language (see the 'Settings' panel). "
      "Six files contain common words in English, German, French, Italian, Spanish and Portuguese. "
      "You can add or remove words as you wish, and words do not have to be in alphabetical order or on "
      "separate lines.",
  };
  std::string text;
  for (const std::string& p : paragraphs) text += p + "\r\n\r\n";
  return text;
}

}  // namespace kwl
