#include "appdata/src/appdata.h"

// The display guide's words, in each language Vellora speaks. Both say the same, step for step.

namespace appdata {

namespace {

const char *const kDutchHtml = R"HTML(
<h1>Beeldscherm instellen op 96 dpi</h1>
<p class="lead">Vellora tekent de kaarten op ware grootte. Dat klopt alleen als uw beeldscherm op
<b>96 dpi</b> staat, in Windows en Linux ook wel <b>schaal 100&nbsp;%</b> genoemd.</p>

<h2>Waarom is dit nodig?</h2>
<p>Het programma rekent met <b>15 twips per pixel</b>. Een twip is 1/1440 inch, dus 15 twips per pixel
komt overeen met precies 96 pixels per inch. Staat uw scherm op een andere schaal, bijvoorbeeld 125&nbsp;%
of 150&nbsp;%, dan vergroot het besturingssysteem alles. De kaarten passen dan niet meer in het venster,
knoppen vallen over elkaar en de foto's op de kaarten worden verkeerd uitgesneden. Op papier blijft de
afdruk wel goed, maar wat u op het scherm ziet, klopt niet meer met de afdruk.</p>

<h2>Windows 10 en Windows 11</h2>
<ol>
<li>Klik met de rechtermuisknop op een leeg stuk van het bureaublad en kies <b>Beeldscherminstellingen</b>.
Of open <b>Start &gt; Instellingen &gt; Systeem &gt; Beeldscherm</b>.</li>
<li>Zoek het kopje <b>Schaal en indeling</b>.</li>
<li>Zet <b>Grootte van tekst, apps en andere items wijzigen</b> op <b>100&nbsp;%</b>.</li>
<li>Heeft u meer dan één scherm? Kies dan eerst bovenaan het scherm waarop u Vellora gebruikt.</li>
<li>Meld u af en weer aan, zodat alle programma's de nieuwe schaal gebruiken.</li>
</ol>

<h2>Linux: GNOME (onder andere Ubuntu, Fedora en Debian)</h2>
<ol>
<li>Open <b>Instellingen &gt; Beeldschermen</b>.</li>
<li>Kies het juiste scherm en zet <b>Schaal</b> op <b>100&nbsp;%</b>.</li>
<li>Klik op <b>Toepassen</b> en bevestig met <b>Wijzigingen behouden</b>.</li>
</ol>

<h2>Linux: KDE Plasma</h2>
<ol>
<li>Open <b>Systeeminstellingen &gt; Beeldscherm en monitor</b>.</li>
<li>Zet bij het juiste scherm <b>Schaal</b> op <b>100&nbsp;%</b> en klik op <b>Toepassen</b>.</li>
<li>Meld u af en weer aan.</li>
</ol>

<h2>Linux: andere bureaubladen onder X11</h2>
<p>Stel de resolutie in met het commando</p>
<p class="code">xrandr --dpi 96</p>
<p>en zet in het bestand <span class="mono">~/.Xresources</span> de regel</p>
<p class="code">Xft.dpi: 96</p>
<p>Laad het bestand daarna met <span class="mono">xrdb -merge ~/.Xresources</span> of meld u af en weer aan.</p>

<h2>Controleren</h2>
<p>Start Vellora opnieuw. Het kaartenvel past nu precies in het venster en een kaart op het scherm is
even groot als de afgedrukte kaart wanneer u het venster op ware grootte bekijkt. Ziet u nog steeds een
vergroot beeld, controleer dan of de schaal van het scherm waarop Vellora staat echt op 100&nbsp;% staat.</p>

<p class="note">Tip: liever grotere letters in andere programma's? Laat de schaal op 100&nbsp;% en vergroot
alleen de tekst, in Windows via <b>Instellingen &gt; Toegankelijkheid &gt; Tekstgrootte</b>.</p>
)HTML";

const char *const kEnglishHtml = R"HTML(
<h1>Setting the display to 96 dpi</h1>
<p class="lead">Vellora draws the cards at their true size. That only holds when your display is set to
<b>96 dpi</b>, which Windows and Linux also call <b>100&nbsp;% scale</b>.</p>

<h2>Why is this needed?</h2>
<p>The program counts in <b>15 twips per pixel</b>. A twip is 1/1440 inch, so 15 twips per pixel comes to
exactly 96 pixels per inch. When your display is set to another scale, such as 125&nbsp;% or 150&nbsp;%, the
system enlarges everything. The cards then no longer fit in the window, buttons overlap and the photos on
the cards are cut out wrongly. The print on paper stays right, but what you see on the screen no longer
matches it.</p>

<h2>Windows 10 and Windows 11</h2>
<ol>
<li>Right-click an empty part of the desktop and choose <b>Display settings</b>.
Or open <b>Start &gt; Settings &gt; System &gt; Display</b>.</li>
<li>Find the heading <b>Scale and layout</b>.</li>
<li>Set <b>Change the size of text, apps, and other items</b> to <b>100&nbsp;%</b>.</li>
<li>More than one display? First choose, at the top, the display you use Vellora on.</li>
<li>Sign out and in again, so that every program uses the new scale.</li>
</ol>

<h2>Linux: GNOME (Ubuntu, Fedora and Debian among others)</h2>
<ol>
<li>Open <b>Settings &gt; Displays</b>.</li>
<li>Choose the right display and set <b>Scale</b> to <b>100&nbsp;%</b>.</li>
<li>Click <b>Apply</b> and confirm with <b>Keep Changes</b>.</li>
</ol>

<h2>Linux: KDE Plasma</h2>
<ol>
<li>Open <b>System Settings &gt; Display and Monitor</b>.</li>
<li>For the right display, set <b>Scale</b> to <b>100&nbsp;%</b> and click <b>Apply</b>.</li>
<li>Sign out and in again.</li>
</ol>

<h2>Linux: other desktops on X11</h2>
<p>Set the resolution with the command</p>
<p class="code">xrandr --dpi 96</p>
<p>and put this line in the file <span class="mono">~/.Xresources</span>:</p>
<p class="code">Xft.dpi: 96</p>
<p>Then load the file with <span class="mono">xrdb -merge ~/.Xresources</span>, or sign out and in again.</p>

<h2>Checking</h2>
<p>Start Vellora again. The card sheet now fits the window exactly, and a card on the screen is as large
as the printed card when you view the window at its true size. Still seeing an enlarged picture? Check
that the scale of the display Vellora is on really is 100&nbsp;%.</p>

<p class="note">Tip: rather have larger letters in other programs? Leave the scale at 100&nbsp;% and enlarge
only the text, in Windows through <b>Settings &gt; Accessibility &gt; Text size</b>.</p>
)HTML";

} // namespace

GuideText guideText(GuideLanguage language)
{
    if (language == GuideLanguage::English)
        return {"Setting the display to 96 dpi", kEnglishHtml};
    return {"Beeldscherm instellen op 96 dpi", kDutchHtml};
}

} // namespace appdata
